// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// dBASE IV keeps numeric index keys as 12-byte decimal numbers:
//   byte 0      0x34 + the position of the decimal point relative to the first digit
//               (0x36 for 12.5, 0x34 for 0.5, 0x32 for 0.001)
//   byte 1      bit 7 set for a negative number; bits 2-6 the count of significant digits;
//               bit 0 always set
//   bytes 2-11  the significant digits, two per byte, high nibble first, zero-filled
// Zero is 0x34 0x01 and no digits.
namespace kadmor::mdx {

inline constexpr int kBcdKeyLength = 12;

// The key of a numeric field's stored text ("  -12.50"). Blank or unreadable text is zero,
// as dBASE evaluates a blank numeric field; digits beyond the twentieth are dropped.
QByteArray bcdKeyFromText(QByteArrayView text);

// Orders two keys as dBASE index files order them: by sign, then by the exponent byte, then by
// the digits (reversed for negative numbers); the digit-count bits take no part, so keys that
// other programs wrote compare equal to ours. Zero, stored with exponent 0x34, thereby follows
// the positive numbers below 0.1 and precedes 0.1 and above, which is where TDbf files it too.
int compareBcdKeys(const char* a, const char* b);

// The key's value as plain decimal text ("-12.5", "0"), for tools and messages.
QByteArray textFromBcdKey(QByteArrayView key);

} // namespace kadmor::mdx
