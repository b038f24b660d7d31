// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings.h"

#include <QPainter>
#include <QPainterPath>

namespace kadmor::pictures {

void drawCat(QPainter& p)
{
    const QColor fur(0xf0, 0x9a, 0x3e);
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(fur);
    p.drawEllipse(QRectF(55, 105, 90, 80)); // body
    p.drawPolygon(QPolygonF{{62, 55}, {70, 15}, {95, 42}});
    p.drawPolygon(QPolygonF{{138, 55}, {130, 15}, {105, 42}});
    p.drawEllipse(QRectF(55, 30, 90, 80)); // head
    QPainterPath tail({145, 165});
    tail.cubicTo(190, 160, 185, 110, 165, 100);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(fur.darker(130), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0xa0, 0x3a));
    p.drawEllipse(QRectF(75, 55, 14, 18));
    p.drawEllipse(QRectF(111, 55, 14, 18));
    p.setBrush(QColor(0xe8, 0x6a, 0x8a));
    p.drawPolygon(QPolygonF{{94, 80}, {106, 80}, {100, 88}});
    p.setPen(QPen(Qt::black, 1.5));
    for (int side : {-1, 1}) {
        for (int dy : {-4, 2, 8}) {
            p.drawLine(QPointF(100 + side * 12, 86), QPointF(100 + side * 42, 82 + dy));
        }
    }
}

void drawFish(QPainter& p)
{
    p.fillRect(QRectF(0, 0, canvasSize, canvasSize), QColor(0xbf, 0xe6, 0xff));
    p.setPen(QPen(QColor(0x10, 0x40, 0x80), 3));
    p.setBrush(QColor(0xff, 0x8c, 0x1a));
    p.drawPolygon(QPolygonF{{130, 100}, {180, 65}, {180, 135}}); // tail
    p.drawEllipse(QRectF(25, 60, 125, 80));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(48, 82, 20, 20));
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(54, 88, 9, 9));
    p.setPen(QPen(QColor(0xc0, 0x50, 0x00), 3));
    p.drawArc(QRectF(80, 75, 30, 50), -60 * 16, 120 * 16);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(20, 40, 10, 10));
    p.drawEllipse(QRectF(10, 20, 14, 14));
}

void drawBird(QPainter& p)
{
    p.fillRect(QRectF(0, 0, canvasSize, canvasSize), QColor(0xe8, 0xf6, 0xff));
    p.setPen(QPen(QColor(0x6b, 0x3d, 0x12), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 170), QPointF(190, 170)); // branch
    p.setPen(QPen(QColor(0xe0, 0x8a, 0x00), 3));
    p.drawLine(QPointF(90, 150), QPointF(88, 170));
    p.drawLine(QPointF(110, 150), QPointF(112, 170));
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(QColor(0x2e, 0x7d, 0xd6));
    p.drawEllipse(QRectF(55, 80, 100, 75)); // body
    p.drawEllipse(QRectF(110, 45, 55, 55)); // head
    p.setBrush(QColor(0x1b, 0x4f, 0x96));
    p.drawEllipse(QRectF(65, 95, 60, 35)); // wing
    p.setBrush(QColor(0xff, 0xb3, 0x00));
    p.drawPolygon(QPolygonF{{163, 65}, {190, 75}, {163, 82}});
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(140, 60, 8, 8));
}

} // namespace kadmor::pictures
