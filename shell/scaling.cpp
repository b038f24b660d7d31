// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/scaling.h"

#include <QFont>
#include <QLayout>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace kadmor {

namespace {

const char* const designGeometryKey = "kadmorDesignGeometry";
const char* const designPointSizeKey = "kadmorDesignPointSize";

bool isDesignedControl(const QWidget* widget)
{
    const QString name = widget->objectName();
    const QWidget* parent = widget->parentWidget();
    // Qt's own inner widgets (viewports, scroll bars, headers) and widgets placed by a layout
    // follow their owners.
    return !widget->isWindow() && !name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && parent != nullptr &&
           parent->layout() == nullptr;
}

QRect scaled(const QRect& rect, double factor)
{
    return QRect(qRound(rect.x() * factor), qRound(rect.y() * factor), qRound(rect.width() * factor),
                 qRound(rect.height() * factor));
}

void scaleGeometry(QWidget* widget, double factor)
{
    QVariant design = widget->property(designGeometryKey);
    if (!design.isValid()) {
        design = widget->geometry();
        widget->setProperty(designGeometryKey, design);
    }
    widget->setGeometry(scaled(design.toRect(), factor));
}

void scaleFont(QWidget* widget, double factor)
{
    QVariant design = widget->property(designPointSizeKey);
    if (!design.isValid()) {
        design = widget->font().pointSizeF();
        widget->setProperty(designPointSizeKey, design);
    }
    if (design.toDouble() <= 0)
        return; // a pixel-sized font is not ours
    QFont font = widget->font();
    font.setPointSizeF(design.toDouble() * factor);
    widget->setFont(font);
}

} // namespace

WindowScale windowScale(int screenWidth, int logicalDpi, std::optional<int> storedZoom)
{
    WindowScale scale;
    if (logicalDpi != designResolution) {
        const int textHeight = qRound(double(designTextHeight) * logicalDpi / designResolution);
        scale.fontHeight = double(textHeight) / designTextHeight;
    }
    if (screenWidth != designWidth)
        scale.screenWidth = double(screenWidth) / designWidth;
    if (logicalDpi < 120)
        scale.lowResolution = 122.0 / 100.0;
    if (storedZoom && *storedZoom > 0) {
        scale.zoomPercent = *storedZoom;
        scale.zoom = *storedZoom / 100.0;
    }
    return scale;
}

void scaleWidgets(QWidget* root, double layoutFactor, double fontFactor)
{
    scaleFont(root, fontFactor);
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child->testAttribute(Qt::WA_SetFont) && !child->isWindow())
            scaleFont(child, fontFactor);
        if (isDesignedControl(child))
            scaleGeometry(child, layoutFactor);
    }
}

} // namespace kadmor
