// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/sifruj.h"

#include "storage/error.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QVarLengthArray>

#include <algorithm>
#include <numeric>

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
// would lose a trailing space and control bytes confuse other readers, so each of 0x01..0x20 that
// can occur is stored as one of the free bytes above 0x20, paired in ascending order; the counts
// always match, and the stored bytes are exactly 0x21..0xFF.
class StoredByteMap
{
  public:
    StoredByteMap(quint8 key, quint8 tableByte)
    {
        std::array<bool, 256> occurs{};
        for (int byte = 0; byte < 256; ++byte) {
            if (isPasswordByte(byte))
                occurs[xorUnlessEqual(quint8(byte + tableByte), key)] = true;
        }
        QVarLengthArray<quint8, 33> unsafe;
        QVarLengthArray<quint8, 33> spare;
        for (int byte = 1; byte < 256; ++byte) {
            if (byte <= 0x20 && occurs[byte])
                unsafe.append(quint8(byte));
            else if (byte > 0x20 && !occurs[byte])
                spare.append(quint8(byte));
        }
        Q_ASSERT(unsafe.size() == spare.size());
        std::iota(m_toStored.begin(), m_toStored.end(), 0);
        std::iota(m_fromStored.begin(), m_fromStored.end(), 0);
        for (qsizetype i = 0; i < unsafe.size(); ++i) {
            m_toStored[unsafe[i]] = spare[i];
            m_fromStored[spare[i]] = unsafe[i];
        }
    }
    char toStored(char scrambled) const { return char(m_toStored[quint8(scrambled)]); }
    char fromStored(char stored) const { return char(m_fromStored[quint8(stored)]); }

  private:
    std::array<quint8, 256> m_toStored;
    std::array<quint8, 256> m_fromStored;
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
        stored[i] = StoredByteMap(key.high(), tableByteAt(i)).toStored(scrambled[i]);
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
        scrambled[i] = StoredByteMap(key.high(), tableByteAt(i)).fromStored(bytes[i]);
        key.advance(quint8(scrambled[i]));
    }
    QByteArray plain = rollingDecode(scrambled, passwordSeed);
    tableSubtract(plain);
    return QStringDecoder(codePage).decode(plain);
}

} // namespace kadmor
