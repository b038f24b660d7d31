// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/sound/wave_file.h"

#include <QtEndian>

#include <optional>

namespace kadmor::wave {

namespace {

constexpr int riffLengthOffset = 4;
constexpr int sampleCountOffset = 46;
constexpr int dataLengthOffset = 54;
// The length of everything after the RIFF length field, without samples.
constexpr quint32 riffLengthWithoutSamples = headerSize - 8;

constexpr quint16 pcmTag = 1;
constexpr quint16 floatTag = 3;
constexpr quint16 extensibleTag = 0xFFFE;

// Offsets inside the "fmt " chunk's content.
constexpr int fmtTag = 0;
constexpr int fmtChannels = 2;
constexpr int fmtRate = 4;
constexpr int fmtBitsPerSample = 14;
constexpr int fmtPlainSize = 16;
constexpr int fmtSubFormatTag = 24; // extensible layout: the first two bytes of the sub-format
constexpr int fmtExtensibleSize = 26;

void putLE32(QByteArray& bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

quint16 le16(QByteArrayView bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.data() + offset);
}

quint32 le32(QByteArrayView bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.data() + offset);
}

struct Chunks
{
    QByteArrayView fmt;
    std::optional<QByteArrayView> data;
};

// Walks the chunks after "WAVE"; each chunk's content is padded to an even length.
Chunks findChunks(QByteArrayView file)
{
    Chunks chunks;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArrayView id = file.sliced(at, 4);
        const qsizetype length = le32(file, at + 4);
        const qsizetype start = at + 8;
        const QByteArrayView content = file.sliced(start, std::min(length, file.size() - start));
        if (id == "fmt ")
            chunks.fmt = content;
        else if (id == "data")
            chunks.data = content;
        at = start + length + (length & 1);
    }
    return chunks;
}

std::optional<QAudioFormat::SampleFormat> sampleFormat(quint16 tag, int bits)
{
    if (tag == floatTag)
        return bits == 32 ? std::optional(QAudioFormat::Float) : std::nullopt;
    if (tag != pcmTag)
        return std::nullopt;
    switch (bits) {
    case 8:
        return QAudioFormat::UInt8;
    case 16:
        return QAudioFormat::Int16;
    case 24:
    case 32:
        return QAudioFormat::Int32;
    default:
        return std::nullopt;
    }
}

// 24-bit samples are played as 32-bit ones with a zero low byte.
QByteArray widen24(QByteArrayView samples)
{
    QByteArray wide;
    const qsizetype count = samples.size() / 3;
    wide.reserve(count * 4);
    for (qsizetype i = 0; i < count; ++i) {
        wide.append('\0');
        wide.append(samples.sliced(i * 3, 3));
    }
    return wide;
}

} // namespace

QAudioFormat recordingFormat()
{
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::UInt8);
    format.setChannelCount(1);
    format.setSampleRate(recordingRate);
    return format;
}

QByteArray recordingHeader()
{
    QByteArray header(headerSize, '\0');
    auto put16 = [&header](int offset, quint16 value) { qToLittleEndian(value, header.data() + offset); };
    auto putText = [&header](int offset, const char* text) { header.replace(offset, 4, text, 4); };
    putText(0, "RIFF");
    putLE32(header, riffLengthOffset, riffLengthWithoutSamples);
    putText(8, "WAVE");
    putText(12, "fmt ");
    putLE32(header, 16, 18);            // format chunk length
    put16(20, pcmTag);                  // PCM
    put16(22, 1);                       // one channel
    putLE32(header, 24, recordingRate); // samples per second
    putLE32(header, 28, recordingRate); // bytes per second
    put16(32, 1);                       // bytes per sample frame
    put16(34, 8);                       // bits per sample
    put16(36, 40);                      // extra-format byte count, as the format has always carried it
    putText(38, "fact");
    putLE32(header, 42, 4);
    putLE32(header, sampleCountOffset, 0);
    putText(50, "data");
    putLE32(header, dataLengthOffset, 0);
    return header;
}

void setRecordingLengths(QByteArray& file, quint32 count)
{
    putLE32(file, dataLengthOffset, count);
    putLE32(file, sampleCountOffset, count);
    putLE32(file, riffLengthOffset, count + riffLengthWithoutSamples);
}

QByteArray recordingFile(QByteArrayView samples)
{
    QByteArray file = recordingHeader();
    setRecordingLengths(file, quint32(samples.size()));
    file.append(samples);
    return file;
}

Sound readWave(QByteArrayView file)
{
    Sound sound;
    if (file.size() < 12 || file.first(4) != "RIFF" || file.sliced(8, 4) != "WAVE") {
        sound.problem = Sound::Problem::NotWave;
        return sound;
    }
    const Chunks chunks = findChunks(file);
    if (chunks.fmt.size() < fmtPlainSize || !chunks.data) {
        sound.problem = Sound::Problem::NotWave;
        return sound;
    }
    quint16 tag = le16(chunks.fmt, fmtTag);
    if (tag == extensibleTag && chunks.fmt.size() >= fmtExtensibleSize)
        tag = le16(chunks.fmt, fmtSubFormatTag);
    const int bits = le16(chunks.fmt, fmtBitsPerSample);
    const int channels = le16(chunks.fmt, fmtChannels);
    const int rate = int(le32(chunks.fmt, fmtRate));
    const std::optional<QAudioFormat::SampleFormat> format = sampleFormat(tag, bits);
    if (!format || channels < 1 || rate < 1) {
        sound.problem = Sound::Problem::UnsupportedEncoding;
        return sound;
    }
    sound.format.setSampleFormat(*format);
    sound.format.setChannelCount(channels);
    sound.format.setSampleRate(rate);
    // Only whole sample frames are played.
    const qsizetype frame = qsizetype(channels) * (bits / 8);
    const QByteArrayView data = chunks.data->first(chunks.data->size() - chunks.data->size() % frame);
    sound.samples = bits == 24 ? widen24(data) : data.toByteArray();
    return sound;
}

} // namespace kadmor::wave
