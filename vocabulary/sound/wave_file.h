// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QByteArrayView>

namespace kadmor::wave {

// The program's recordings: 8-bit unsigned mono samples at 22050 per second after a header of
// 58 bytes (RIFF, a "fmt " chunk of 18 bytes, a "fact" chunk, then "data").
constexpr int headerSize = 58;
constexpr int recordingRate = 22050;

// The format in which recordings are made and written.
QAudioFormat recordingFormat();

// The recording header with all lengths for a file without samples.
QByteArray recordingHeader();

// Sets the header's three length fields for count samples after it: the RIFF length at offset 4,
// the sample count at offset 46 and the data length at offset 54. file holds at least the header.
void setRecordingLengths(QByteArray& file, quint32 count);

// A whole recording file: the header with its lengths, then the samples.
QByteArray recordingFile(QByteArrayView samples);

// What a WAV file holds, ready for the audio output.
struct Sound
{
    enum class Problem { None, NotWave, UnsupportedEncoding };

    Problem problem = Problem::None;
    QAudioFormat format;
    QByteArray samples;
};

// Reads PCM files of 8, 16, 24 or 32 bits and 32-bit floating-point files, any number of
// channels and any rate (also in the extensible layout). A data chunk whose length says more than
// the file holds is taken as far as it goes; a recording header without samples is an empty sound.
Sound readWave(QByteArrayView file);

} // namespace kadmor::wave
