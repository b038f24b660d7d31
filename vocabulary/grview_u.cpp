// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/grview_u.h"

#include <QLabel>

namespace {
constexpr QSize openingSize(162, 174);
}

Tgrview::Tgrview(QWidget* parent) : QDialog(parent), Image1(new QLabel(this))
{
    setObjectName(QStringLiteral("grview"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(0, 0);
    resize(openingSize);
}
