// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor {

// True when the desktop's sound service offers at least one output device.
bool soundDevicePresent();

// Spaces in front of (padLeft) or after (padRight) the text until it is width characters long;
// a text already that long or longer stays as it is. Lesson numbers are padLeft(3, ...).
void padLeft(int width, QString& text);
void padRight(int width, QString& text);

// The letters a to z become A to Z; every other character, accented letters included, stays.
void upperCase(QString& text);

} // namespace kadmor
