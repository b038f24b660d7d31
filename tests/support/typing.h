// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace testkit {

// Types the text into the widget one key event per character (Qt Test's keyClicks stops at
// letters outside ASCII).
void type(QWidget* widget, const QString& text);

} // namespace testkit
