// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/trimming.h"

#include "vocabulary/sound/wave_file.h"

namespace kadmor {

namespace {

// The scans look ten bytes ahead and behind; below this size they would leave the file.
constexpr qsizetype smallestTrimmableRecording = 2 * wave::headerSize + 1;

bool quiet(unsigned char byte)
{
    return byte >= 121 && byte <= 135;
}

} // namespace

QByteArray trimmedRecording(QByteArrayView file)
{
    if (file.size() < smallestTrimmableRecording)
        return wave::recordingHeader();

    // B[p] is the byte at position p, counting from 1.
    auto B = [&file](qsizetype p) { return static_cast<unsigned char>(file[p - 1]); };
    const qsizetype n = file.size() - wave::headerSize;

    qsizetype i = wave::headerSize;
    while (quiet(B(i)) && quiet(B(i + 10)) && i < n - 1)
        ++i;
    qsizetype j = n;
    while (quiet(B(j)) && quiet(B(j - 10)) && i < j)
        --j;

    // Positions i + 1 to j are the bytes from index i to index j - 1.
    return wave::recordingFile(file.sliced(i, j - i));
}

} // namespace kadmor
