// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/take.h"

namespace kadmor::wave {

void addToTake(QByteArray& take, QByteArrayView delivered, const QAudioFormat& format, qint64 elapsedUs)
{
    take.append(delivered);
    const qint64 recorded = format.bytesForDuration(elapsedUs);
    if (take.size() > recorded)
        take.remove(0, take.size() - recorded);
}

} // namespace kadmor::wave
