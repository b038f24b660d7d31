// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace kadmor::pictures {

namespace {

// A star with five points around centre c, outer radius r.
QPolygonF starShape(QPointF c, double r)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? r : r * 0.42;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << c + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return star;
}

} // namespace

void drawSun(QPainter& p)
{
    p.fillRect(QRectF(0, 0, canvasSize, canvasSize), QColor(0x9f, 0xd8, 0xff));
    const QPointF c(100, 100);
    p.setPen(QPen(QColor(0xff, 0xa0, 0x00), 7, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const double a = i * std::numbers::pi / 6;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c + dir * 58, c + dir * 88);
    }
    p.setPen(QPen(QColor(0xe0, 0x80, 0x00), 3));
    p.setBrush(QColor(0xff, 0xd7, 0x00));
    p.drawEllipse(c, 48, 48);
    p.setPen(QPen(QColor(0x80, 0x40, 0x00), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(QColor(0x80, 0x40, 0x00));
    p.drawEllipse(QPointF(83, 90), 5, 5);
    p.drawEllipse(QPointF(117, 90), 5, 5);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(75, 85, 50, 38), -30 * 16, -120 * 16);
}

void drawMoon(QPainter& p)
{
    p.fillRect(QRectF(0, 0, canvasSize, canvasSize), QColor(0x10, 0x1a, 0x4a));
    QPainterPath disc;
    disc.addEllipse(QPointF(95, 100), 65, 65);
    QPainterPath bite;
    bite.addEllipse(QPointF(125, 85), 60, 60);
    p.setPen(QPen(QColor(0xd0, 0xb0, 0x30), 3));
    p.setBrush(QColor(0xff, 0xf0, 0x90));
    p.drawPath(disc.subtracted(bite));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (QPointF s : {QPointF(150, 40), QPointF(170, 150), QPointF(120, 175), QPointF(30, 30)}) {
        p.drawPolygon(starShape(s, 7));
    }
}

void drawStar(QPainter& p)
{
    p.fillRect(QRectF(0, 0, canvasSize, canvasSize), QColor(0x1a, 0x23, 0x5e));
    p.setPen(QPen(QColor(0xe0, 0x90, 0x00), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xff, 0xd7, 0x20));
    p.drawPolygon(starShape(QPointF(100, 106), 85));
}

void drawTree(QPainter& p)
{
    p.fillRect(QRectF(0, 0, canvasSize, canvasSize), QColor(0xe6, 0xf7, 0xff));
    p.fillRect(QRectF(0, 175, canvasSize, 25), QColor(0x6c, 0xc2, 0x4a));
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(QColor(0x8b, 0x55, 0x2b));
    p.drawRect(QRectF(88, 110, 24, 70)); // trunk
    p.setBrush(QColor(0x2e, 0x9e, 0x3e));
    p.drawEllipse(QRectF(40, 55, 70, 70));
    p.drawEllipse(QRectF(90, 55, 70, 70));
    p.drawEllipse(QRectF(55, 15, 90, 85));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x9e, 0x3e));
    p.drawEllipse(QRectF(62, 50, 76, 60)); // hides the inner outlines
    p.setBrush(QColor(0xe0, 0x20, 0x20));
    for (QPointF a : {QPointF(70, 80), QPointF(120, 45), QPointF(135, 95), QPointF(95, 70)}) {
        p.drawEllipse(a, 6, 6);
    }
}

void drawFlower(QPainter& p)
{
    p.fillRect(QRectF(0, 0, canvasSize, canvasSize), QColor(0xf0, 0xff, 0xe8));
    p.setPen(QPen(QColor(0x2e, 0x8b, 0x2e), 6));
    p.drawLine(QPointF(100, 95), QPointF(100, 190)); // stem
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(0x3c, 0xb0, 0x3c));
    p.drawEllipse(QRectF(100, 140, 45, 20));
    p.setBrush(QColor(0xe8, 0x4b, 0xb4));
    const QPointF c(100, 75);
    for (int i = 0; i < 6; ++i) {
        const double a = i * std::numbers::pi / 3;
        p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * 32, 22, 22);
    }
    p.setBrush(QColor(0xff, 0xd2, 0x00));
    p.drawEllipse(c, 22, 22);
}

void drawApple(QPainter& p)
{
    p.setPen(QPen(QColor(0x6b, 0x3d, 0x12), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(100, 55), QPointF(108, 25)); // stalk
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(0x3c, 0xb0, 0x3c));
    QPainterPath leaf({108, 35});
    leaf.quadTo(130, 10, 155, 25);
    leaf.quadTo(135, 45, 108, 35);
    p.drawPath(leaf);
    p.setPen(QPen(QColor(0x80, 0x00, 0x00), 3));
    p.setBrush(QColor(0xdd, 0x1f, 0x1f));
    QPainterPath apple({100, 60});
    apple.cubicTo(140, 35, 185, 70, 165, 130);
    apple.cubicTo(150, 175, 120, 185, 100, 170);
    apple.cubicTo(80, 185, 50, 175, 35, 130);
    apple.cubicTo(15, 70, 60, 35, 100, 60);
    p.drawPath(apple);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(QRectF(55, 75, 22, 35));
}

} // namespace kadmor::pictures
