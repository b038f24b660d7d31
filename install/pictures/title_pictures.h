// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace kadmor::pictures {

// The title page's pictures: the program's logo with its name (kadmor.bmp) and a pupil (zak.bmp).
QImage logoPicture();
QImage pupilPicture();

} // namespace kadmor::pictures
