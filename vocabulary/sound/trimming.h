// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace kadmor {

// Recordings larger than this are not trimmed (the size of the trimming buffer).
constexpr qsizetype largestTrimmableRecording = 64000;

// A recording file without its quiet beginning and end: the recording header followed by the kept
// samples, with the header's length fields set for them.
//
// Positions p count from 1 at the first byte of the file; size is the file's length and
// n = size - 58. A byte is quiet when it lies between 121 and 135. The forward scan starts at i = 58
// (the header's last byte) and moves on while B[i] and B[i + 10] are quiet and i < n - 1; the
// backward scan starts at j = n (so the last 58 bytes are always dropped) and moves back while
// B[j] and B[j - 10] are quiet and i < j. The kept samples are B[i + 1] to B[j].
//
// A file of at most 116 bytes holds at most 58 samples, a few milliseconds and no sound worth
// keeping; the scans would reach before its start or past its end. It becomes the header alone,
// with zero lengths: an empty recording, as the recorder starts every recording.
QByteArray trimmedRecording(QByteArrayView file);

} // namespace kadmor
