// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings.h"

#include <QPainter>
#include <QPainterPath>

namespace kadmor::pictures {

void drawHouse(QPainter& p)
{
    p.fillRect(QRectF(0, 0, canvasSize, canvasSize), QColor(0xd8, 0xf0, 0xff));
    p.fillRect(QRectF(0, 170, canvasSize, 30), QColor(0x6c, 0xc2, 0x4a));
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(QColor(0xf5, 0xe0, 0xb0));
    p.drawRect(QRectF(40, 90, 120, 85)); // walls
    p.setBrush(QColor(0xc6, 0x2f, 0x2f));
    p.drawPolygon(QPolygonF{{28, 92}, {100, 30}, {172, 92}}); // roof
    p.setBrush(QColor(0x8a, 0x55, 0x2a));
    p.drawRect(QRectF(88, 125, 26, 50)); // door
    p.setBrush(QColor(0x9c, 0xd6, 0xff));
    p.drawRect(QRectF(52, 105, 26, 24));
    p.drawRect(QRectF(124, 105, 26, 24));
    p.drawLine(QPointF(65, 105), QPointF(65, 129));
    p.drawLine(QPointF(137, 105), QPointF(137, 129));
}

void drawBook(QPainter& p)
{
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(QColor(0x1e, 0x6f, 0xc8));
    p.drawRect(QRectF(35, 40, 130, 125)); // cover
    p.setBrush(Qt::white);
    p.drawRect(QRectF(45, 45, 115, 115)); // pages
    p.setBrush(QColor(0x1e, 0x6f, 0xc8));
    p.drawRect(QRectF(30, 35, 125, 125)); // front cover
    p.setBrush(QColor(0xff, 0xd2, 0x3f));
    p.drawRect(QRectF(55, 65, 75, 30)); // title label
    p.setPen(QPen(QColor(0x7a, 0x4a, 0x00), 3));
    p.drawLine(QPointF(65, 75), QPointF(120, 75));
    p.drawLine(QPointF(65, 85), QPointF(105, 85));
}

void drawBall(QPainter& p)
{
    const QRectF ball(30, 30, 140, 140);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QRectF(45, 165, 110, 20)); // shadow
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(QColor(0xe5, 0x30, 0x30));
    p.drawEllipse(ball);
    p.setBrush(QColor(0xff, 0xe0, 0x3a));
    p.drawChord(ball, 20 * 16, 140 * 16);
    p.setBrush(QColor(0x2d, 0x6d, 0xe0));
    p.drawChord(ball, 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QRectF(60, 55, 30, 20));
}

void drawCup(QPainter& p)
{
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xc0, 0x20, 0x40), 12));
    p.drawArc(QRectF(120, 80, 50, 55), -90 * 16, 180 * 16); // handle
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(QColor(0xe0, 0x30, 0x50));
    QPainterPath body({40, 60});
    body.lineTo(150, 60);
    body.lineTo(140, 160);
    body.quadTo(95, 175, 50, 160);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(0x6b, 0x3a, 0x1a));
    p.drawEllipse(QRectF(40, 52, 110, 16)); // tea
    p.setPen(QPen(QColor(0x99, 0x99, 0x99), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int x : {75, 100}) {
        QPainterPath steam({double(x), 45});
        steam.cubicTo(x - 12, 35, x + 12, 25, x, 12);
        p.drawPath(steam);
    }
}

void drawCar(QPainter& p)
{
    p.fillRect(QRectF(0, 150, canvasSize, 50), QColor(0x88, 0x88, 0x88));
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(QColor(0x2a, 0x9d, 0x3a));
    p.drawRoundedRect(QRectF(15, 95, 170, 45), 12, 12);                 // body
    p.drawPolygon(QPolygonF{{50, 97}, {70, 60}, {135, 60}, {158, 97}}); // cabin
    p.setBrush(QColor(0xbd, 0xe7, 0xff));
    p.drawPolygon(QPolygonF{{62, 93}, {76, 67}, {100, 67}, {100, 93}});
    p.drawPolygon(QPolygonF{{108, 93}, {108, 67}, {130, 67}, {146, 93}});
    p.setBrush(QColor(0x22, 0x22, 0x22));
    p.drawEllipse(QRectF(35, 120, 40, 40));
    p.drawEllipse(QRectF(128, 120, 40, 40));
    p.setBrush(QColor(0xcc, 0xcc, 0xcc));
    p.drawEllipse(QRectF(47, 132, 16, 16));
    p.drawEllipse(QRectF(140, 132, 16, 16));
    p.setBrush(QColor(0xff, 0xe0, 0x40));
    p.drawRect(QRectF(172, 105, 10, 10)); // lamp
}

void drawBoat(QPainter& p)
{
    p.fillRect(QRectF(0, 0, canvasSize, canvasSize), QColor(0xcf, 0xee, 0xff));
    p.fillRect(QRectF(0, 150, canvasSize, 50), QColor(0x1f, 0x6f, 0xc0));
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(QPointF(100, 30), QPointF(100, 140)); // mast
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{{104, 32}, {160, 130}, {104, 130}});
    p.setBrush(QColor(0xff, 0xcc, 0x33));
    p.drawPolygon(QPolygonF{{96, 45}, {50, 130}, {96, 130}});
    p.setBrush(QColor(0x9a, 0x4b, 0x1c));
    p.drawPolygon(QPolygonF{{25, 138}, {175, 138}, {150, 168}, {50, 168}}); // hull
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int x = 10; x < canvasSize; x += 45) {
        p.drawArc(QRectF(x, 175, 30, 14), 0, 180 * 16);
    }
}

} // namespace kadmor::pictures
