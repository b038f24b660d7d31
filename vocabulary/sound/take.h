// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QByteArrayView>

namespace kadmor::wave {

// Appends what the recording input delivered to the take, elapsedUs microseconds after the take
// started, and keeps no more samples than that time holds, dropping the oldest. A sound server
// hands a new recording stream, with its first delivery, what its source gathered before the
// stream began (an idle source up to two seconds at once); those samples were never part of the
// take, and without this a take of one second would be saved nearly three seconds long.
void addToTake(QByteArray& take, QByteArrayView delivered, const QAudioFormat& format, qint64 elapsedUs);

} // namespace kadmor::wave
