// SPDX-License-Identifier: GPL-3.0-or-later
#include "typing.h"

#include <QTest>

namespace testkit {

void type(QWidget* widget, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace testkit
