// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

class QPainter;

namespace kadmor::pictures {

// The title page's pictures: the program's logo with its name (kadmor.bmp) and a pupil (zak.bmp).
QImage logoPicture();
QImage pupilPicture();

// The logo's open book in a red cover, in the box (22, 100)–(198, 220) of the logo; the program's
// icon draws it too. outline is the width of its lines; lines draws the text lines on its pages.
void drawOpenBook(QPainter& p, qreal outline, bool lines);

} // namespace kadmor::pictures
