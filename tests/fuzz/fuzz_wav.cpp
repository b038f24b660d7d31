// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: a sound file as the program meets it, read for playing and trimmed as a recording.
#include "vocabulary/sound/trimming.h"
#include "vocabulary/sound/wave_file.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    (void)kadmor::wave::readWave(bytes);
    if (bytes.size() <= kadmor::largestTrimmableRecording)
        (void)kadmor::wave::readWave(kadmor::trimmedRecording(bytes));
    return 0;
}
