// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/tools.h"

#include <QAudioDevice>
#include <QMediaDevices>

namespace kadmor {

bool soundDevicePresent()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

void padLeft(int width, QString& text)
{
    if (text.size() < width)
        text.prepend(QString(width - text.size(), u' '));
}

void padRight(int width, QString& text)
{
    if (text.size() < width)
        text.append(QString(width - text.size(), u' '));
}

void upperCase(QString& text)
{
    for (QChar& ch : text) {
        if (ch >= u'a' && ch <= u'z')
            ch = QChar(ch.unicode() - u'a' + u'A');
    }
}

} // namespace kadmor
