// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/sifruj.h"

#include "base/error.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace kadmor {

namespace {

// HODNOTA holds 30 characters; a longer password is cut, and since the rolling scrambler works
// from the front the stored value still unscrambles to the password's first 30 characters.
constexpr int passwordWidth = 30;
constexpr auto codePage = "windows-1250";

class RollingKey
{
  public:
    explicit RollingKey(quint16 seed) : m_key(seed) {}
    quint8 high() const { return quint8(m_key >> 8); }
    void advance(quint8 scrambled)
    {
        m_key = quint16((quint32(m_key) + scrambled) * rollingMultiplier + rollingAddend);
    }

  private:
    quint16 m_key;
};

quint8 xorUnlessEqual(quint8 byte, quint8 key)
{
    return byte == key ? byte : quint8(byte ^ key);
}

QByteArray roll(const QByteArray& text, quint16 seed, bool encoding)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    RollingKey key(seed);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto in = quint8(text[i]);
        const quint8 out = xorUnlessEqual(in, key.high());
        result[i] = char(out);
        key.advance(encoding ? out : in);
    }
    return result;
}

void shiftByTable(QByteArray& text, int sign)
{
    const qsizetype count = std::min<qsizetype>(text.size(), qsizetype(scrambleTable.size()));
    for (qsizetype i = 0; i < count; ++i)
        text[i] = char(quint8(quint8(text[i]) + sign * scrambleTable[size_t(i)]));
}

quint8 tableByteAt(qsizetype position)
{
    return position < qsizetype(scrambleTable.size()) ? scrambleTable[size_t(position)] : 0;
}

// The bytes a password may hold in code page 1250: all but the control bytes.
bool isPasswordByte(int byte)
{
    return byte >= 0x20 && byte != 0x7F;
}

// How the scrambled bytes at one place of the password are stored. The bytes that can occur there
// are the images of the 223 password bytes, so 33 bytes cannot occur, 0 among them. The field
// would lose a trailing space and control bytes confuse other readers, so each unsafe byte
// (0x01..0x20) that can occur is stored as a spare byte (above 0x20, cannot occur), paired in
// ascending order; the counts always match, and the stored bytes are exactly 0x21..0xFF.
class StoredBytes
{
  public:
    StoredBytes(quint8 key, quint8 tableByte) : m_key(key), m_tableByte(tableByte) {}

    char toStored(char scrambled) const
    {
        const auto byte = quint8(scrambled);
        return char(isUnsafe(byte) ? nth(&StoredBytes::isSpare, rank(&StoredBytes::isUnsafe, byte)) : byte);
    }
    char fromStored(char stored) const
    {
        const auto byte = quint8(stored);
        return char(isSpare(byte) ? nth(&StoredBytes::isUnsafe, rank(&StoredBytes::isSpare, byte)) : byte);
    }

  private:
    using Kind = bool (StoredBytes::*)(int) const;

    // The scrambler is a one-to-one map of the bytes 1..255, so the byte it came from is found
    // by scrambling back.
    bool occurs(int byte) const
    {
        return byte != 0 && isPasswordByte(quint8(xorUnlessEqual(quint8(byte), m_key) - m_tableByte));
    }
    bool isUnsafe(int byte) const { return byte <= 0x20 && occurs(byte); }
    bool isSpare(int byte) const { return byte > 0x20 && !occurs(byte); }

    int rank(Kind kind, int byte) const
    {
        int count = 0;
        for (int other = 0; other < byte; ++other)
            count += (this->*kind)(other);
        return count;
    }
    int nth(Kind kind, int index) const
    {
        for (int byte = 0; byte < 256; ++byte) {
            if ((this->*kind)(byte) && index-- == 0)
                return byte;
        }
        Q_UNREACHABLE();
        return 0;
    }

    quint8 m_key;
    quint8 m_tableByte;
};

QByteArray passwordBytes(const QString& password)
{
    QStringEncoder encoder(codePage);
    const QByteArray bytes = encoder.encode(password);
    if (encoder.hasError() ||
        !std::all_of(bytes.begin(), bytes.end(), [](char b) { return isPasswordByte(quint8(b)); }))
        throw Error(
            QStringLiteral("Heslo obsahuje znak, který nelze uložit. Použijte písmena, číslice a běžné znaky."));
    return bytes;
}

} // namespace

QByteArray rollingEncode(const QByteArray& text, quint16 seed)
{
    return roll(text, seed, true);
}

QByteArray rollingDecode(const QByteArray& text, quint16 seed)
{
    return roll(text, seed, false);
}

void tableAdd(QByteArray& text)
{
    shiftByTable(text, +1);
}

void tableSubtract(QByteArray& text)
{
    shiftByTable(text, -1);
}

QString scramblePassword(const QString& password)
{
    QByteArray bytes = passwordBytes(password.left(passwordWidth));
    tableAdd(bytes);
    const QByteArray scrambled = rollingEncode(bytes, passwordSeed);
    QByteArray stored(scrambled.size(), Qt::Uninitialized);
    RollingKey key(passwordSeed);
    for (qsizetype i = 0; i < scrambled.size(); ++i) {
        stored[i] = StoredBytes(key.high(), tableByteAt(i)).toStored(scrambled[i]);
        key.advance(quint8(scrambled[i]));
    }
    return QString::fromLatin1(stored);
}

QString unscramblePassword(const QString& stored)
{
    const QByteArray bytes = stored.toLatin1();
    QByteArray scrambled(bytes.size(), Qt::Uninitialized);
    RollingKey key(passwordSeed);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        scrambled[i] = StoredBytes(key.high(), tableByteAt(i)).fromStored(bytes[i]);
        key.advance(quint8(scrambled[i]));
    }
    QByteArray plain = rollingDecode(scrambled, passwordSeed);
    tableSubtract(plain);
    return QStringDecoder(codePage).decode(plain);
}

} // namespace kadmor
