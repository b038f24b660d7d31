// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon_drawing.h"

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

void drawBook(QPainter& p, bool detailed)
{
    p.setPen(QPen(ink, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xc6, 0x2f, 0x2f));
    p.drawRoundedRect(QRectF(26, 138, 204, 92), 12, 12); // cover
    p.setBrush(Qt::white);
    for (double side : {-1.0, 1.0}) {
        QPainterPath page({128, 222});
        page.lineTo(128, 132);
        page.quadTo(128 + side * 50, 112, 128 + side * 94, 124);
        page.lineTo(128 + side * 94, 214);
        page.quadTo(128 + side * 50, 202, 128, 222);
        p.drawPath(page);
    }
    if (!detailed)
        return;
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 5, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 3; ++line) {
        const double y = 150 + line * 20;
        p.drawLine(QPointF(50, y), QPointF(112, y - 6));
        p.drawLine(QPointF(144, y - 6), QPointF(206, y));
    }
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
