// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_aware/navigator_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace kadmor {

namespace {

// Drawn on a 16 by 16 grid.
constexpr int glyphSize = 16;

void triangle(QPainter& painter, qreal tipX, qreal baseX)
{
    painter.drawPolygon(QPolygonF({QPointF(tipX, 8), QPointF(baseX, 3), QPointF(baseX, 13)}));
}

void bar(QPainter& painter, qreal x)
{
    painter.drawRect(QRectF(x, 3, 2, 10));
}

void draw(QPainter& painter, DbNavigator::Action action)
{
    switch (action) {
    case DbNavigator::First:
        bar(painter, 3);
        triangle(painter, 6, 12);
        break;
    case DbNavigator::Prior:
        triangle(painter, 5, 11);
        break;
    case DbNavigator::Next:
        triangle(painter, 11, 5);
        break;
    case DbNavigator::Last:
        triangle(painter, 10, 4);
        bar(painter, 11);
        break;
    case DbNavigator::Insert:
        painter.drawRect(QRectF(7, 3, 2, 10));
        painter.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DbNavigator::Delete:
        painter.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DbNavigator::Edit:
        painter.drawPolygon(QPolygonF({QPointF(8, 4), QPointF(13, 11), QPointF(3, 11)}));
        break;
    case DbNavigator::Post:
        painter.setPen(QPen(painter.brush(), 2.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case DbNavigator::Cancel:
        painter.setPen(QPen(painter.brush(), 2.2));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case DbNavigator::Refresh: {
        painter.setPen(QPen(painter.brush(), 2));
        QPainterPath arc;
        arc.arcMoveTo(QRectF(3, 3, 10, 10), 90);
        arc.arcTo(QRectF(3, 3, 10, 10), 90, 270);
        painter.strokePath(arc, painter.pen());
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(QPolygonF({QPointF(7, 0.5), QPointF(11, 3), QPointF(7, 5.5)}));
        break;
    }
    }
}

} // namespace

QIcon navigatorIcon(DbNavigator::Action action, const QColor& colour)
{
    QPixmap pixmap(glyphSize, glyphSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    draw(painter, action);
    painter.end();
    return QIcon(pixmap);
}

} // namespace kadmor
