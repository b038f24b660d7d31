// SPDX-License-Identifier: GPL-3.0-or-later
#include "title_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace kadmor::pictures {

namespace {

// Both sit on the black title page beside each other, so they share one size.
constexpr QSize titleSize(220, 280);

QImage blankTitle(QColor background)
{
    QImage image(titleSize, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

void drawSpeechBubble(QPainter& p)
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(60, 20, 150, 70), 25, 25);
    QPainterPath tail({95, 85});
    tail.lineTo(80, 112);
    tail.lineTo(120, 88);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 3));
    p.setBrush(QColor(0xff, 0xd7, 0x20));
    p.drawPath(bubble.united(tail));
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(34);
    p.setFont(font);
    p.setPen(QColor(0x1e, 0x4f, 0xb0));
    p.drawText(QRectF(60, 20, 150, 70), Qt::AlignCenter, "A → Č");
}

void drawName(QPainter& p)
{
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(36);
    p.setFont(font);
    p.setPen(QColor(0xff, 0xe0, 0x30));
    p.drawText(QRectF(0, 226, titleSize.width(), 50), Qt::AlignCenter, "KADMOR");
}

void drawSchoolBag(QPainter& p)
{
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 3));
    p.setBrush(QColor(0x2e, 0x7d, 0xd6));
    p.drawRoundedRect(QRectF(40, 120, 40, 60), 8, 8);
    p.setBrush(QColor(0xff, 0xd7, 0x20));
    p.drawRect(QRectF(47, 140, 26, 10));
}

void drawChild(QPainter& p)
{
    const QColor skin(0xff, 0xd2, 0xa8);
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 3));
    p.setBrush(QColor(0x30, 0x40, 0x80));
    p.drawRect(QRectF(88, 190, 18, 62)); // legs
    p.drawRect(QRectF(114, 190, 18, 62));
    p.setBrush(QColor(0x5a, 0x32, 0x14));
    p.drawRoundedRect(QRectF(80, 248, 28, 14), 6, 6); // shoes
    p.drawRoundedRect(QRectF(112, 248, 28, 14), 6, 6);
    p.setBrush(QColor(0xe0, 0x3a, 0x3a));
    p.drawRoundedRect(QRectF(78, 110, 64, 88), 14, 14); // sweater
    p.setBrush(skin);
    p.drawEllipse(QRectF(70, 185, 16, 16)); // hands
    p.drawEllipse(QRectF(134, 185, 16, 16));
    p.setBrush(QColor(0xe0, 0x3a, 0x3a));
    p.drawRoundedRect(QRectF(68, 115, 18, 72), 8, 8); // sleeves
    p.drawRoundedRect(QRectF(134, 115, 18, 72), 8, 8);
    p.setBrush(skin);
    p.drawEllipse(QRectF(72, 30, 76, 80)); // head
    p.setBrush(QColor(0x8a, 0x4a, 0x10));
    p.drawChord(QRectF(70, 26, 80, 56), 0, 180 * 16); // hair
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(97, 68), 4.5, 4.5);
    p.drawEllipse(QPointF(123, 68), 4.5, 4.5);
    p.setBrush(QColor(0xff, 0x90, 0x90));
    p.drawEllipse(QPointF(88, 82), 6, 4);
    p.drawEllipse(QPointF(132, 82), 6, 4);
    p.setPen(QPen(QColor(0x80, 0x20, 0x20), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(96, 72, 28, 20), -20 * 16, -140 * 16);
}

} // namespace

void drawOpenBook(QPainter& p, qreal outline, bool lines)
{
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), outline));
    p.setBrush(QColor(0xc6, 0x2f, 0x2f));
    p.drawRoundedRect(QRectF(22, 120, 176, 100), 8, 8); // cover
    p.setBrush(Qt::white);
    for (double side : {-1.0, 1.0}) {
        QPainterPath page({110, 212});
        page.lineTo(110, 118);
        page.quadTo(110 + side * 45, 100, 110 + side * 85, 112);
        page.lineTo(110 + side * 85, 206);
        page.quadTo(110 + side * 45, 194, 110, 212);
        p.drawPath(page);
    }
    if (!lines)
        return;
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), outline * 2 / 3));
    for (int line = 0; line < 4; ++line) {
        const double y = 135 + line * 17;
        p.drawLine(QPointF(38, y), QPointF(98, y - 4));
        p.drawLine(QPointF(122, y - 4), QPointF(182, y));
    }
}

QImage logoPicture()
{
    QImage image = blankTitle(QColor(0x12, 0x2a, 0x5c));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawOpenBook(p, 3, true);
    drawSpeechBubble(p);
    drawName(p);
    return image;
}

QImage pupilPicture()
{
    QImage image = blankTitle(QColor(0xd8, 0xf0, 0xff));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, 240, titleSize.width(), 40), QColor(0x6c, 0xc2, 0x4a));
    drawChild(p);
    drawSchoolBag(p);
    return image;
}

} // namespace kadmor::pictures
