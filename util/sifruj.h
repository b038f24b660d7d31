// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <array>

namespace kadmor {

// The scramblers' fixed constants; texts scrambled with other values cannot be unscrambled.
inline constexpr quint16 rollingMultiplier = 40693;
inline constexpr quint16 rollingAddend = 11213;
// Every byte lies in 0xE1..0xFF, so adding it to a printable byte (0x20 and above) never gives 0,
// the one byte the rolling scrambler cannot bring back.
inline constexpr std::array<quint8, 19> scrambleTable = {0xE7, 0xF3, 0xE2, 0xFB, 0xE9, 0xF0, 0xE5, 0xFD, 0xEC, 0xF6,
                                                         0xE3, 0xF9, 0xEE, 0xF1, 0xE4, 0xFA, 0xEB, 0xF5, 0xE8};
inline constexpr quint16 passwordSeed = 0x4B44;

// Rolling scrambler: each byte is XORed with the high byte of a 16-bit key (unless it equals it),
// and the key moves on with the scrambled byte: K := (K + C) * multiplier + addend.
// decode(encode(t, s), s) == t for texts without zero bytes.
QByteArray rollingEncode(const QByteArray& text, quint16 seed);
QByteArray rollingDecode(const QByteArray& text, quint16 seed);

// Table scrambler: the first 19 bytes are shifted by the table's bytes, modulo 256.
void tableAdd(QByteArray& text);
void tableSubtract(QByteArray& text);

// The teacher password as kept in the configuration table's HODNOTA (text of 30, read and written
// raw: one character per stored byte, 0-255). Scrambling takes the first 30 characters as code page
// 1250 bytes, adds the table, encodes with the password seed, and stores each scrambled byte that
// a text field would lose or other programs stumble on (control bytes, a space) as a byte the
// scrambler cannot produce at that place, so every stored byte lies in 0x21..0xFF.
// Throws kadmor::Error for a character outside code page 1250 or a control character.
QString scramblePassword(const QString& password);
// The inverse: undoes the storing step, decodes, subtracts the table. A stored value that lost
// trailing spaces reads back the same, since it never holds any.
QString unscramblePassword(const QString& stored);

} // namespace kadmor
