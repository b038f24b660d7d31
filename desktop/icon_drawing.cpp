// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon_drawing.h"

#include "install/pictures/title_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace kadmor::desktop {

namespace {

const QColor ink(0x20, 0x20, 0x20);

void drawBackground(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x12, 0x2a, 0x5c));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
}

// The title picture's book, enlarged to fill the icon's width below the bubble.
void drawBook(QPainter& p, bool detailed)
{
    constexpr qreal scale = 1.1;
    p.save();
    p.translate(6.8, -6);
    p.scale(scale, scale);
    pictures::drawOpenBook(p, 6 / scale, detailed);
    p.restore();
}

// Letters as outlines, so that the scalable icon needs no font on the computer that shows it.
void drawLetters(QPainter& p, const QString& text, const QRectF& box)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(64);
    QPainterPath letters;
    letters.addText(0, 0, font, text);
    const QRectF bounds = letters.boundingRect();
    letters.translate(box.center() - bounds.center());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x4f, 0xb0));
    p.drawPath(letters);
}

void drawBubble(QPainter& p, bool detailed)
{
    const QRectF bubbleBox(40, 22, 176, 92);
    QPainterPath bubble;
    bubble.addRoundedRect(bubbleBox, 34, 34);
    QPainterPath tail({92, 106});
    tail.lineTo(76, 138);
    tail.lineTo(124, 110);
    p.setPen(QPen(ink, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xff, 0xd7, 0x20));
    p.drawPath(bubble.united(tail));
    drawLetters(p, detailed ? QStringLiteral("A→Č") : QStringLiteral("Č"), bubbleBox);
}

} // namespace

void drawIcon(QPainter& p, int pixelSize)
{
    const bool detailed = pixelSize >= smallIconSize;
    p.setRenderHint(QPainter::Antialiasing);
    drawBackground(p);
    drawBook(p, detailed);
    drawBubble(p, detailed);
}

} // namespace kadmor::desktop
