// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/bcd_key.h"

#include <algorithm>
#include <cstring>

namespace kadmor::mdx {

namespace {

constexpr int kExponentBias = 0x34;
constexpr unsigned char kNegative = 0x80;
constexpr unsigned char kAlwaysSet = 0x01;
constexpr int kDigitsOffset = 2;
constexpr int kMaxDigits = 2 * (kBcdKeyLength - kDigitsOffset);

struct Decimal
{
    bool negative = false;
    QByteArray digits; // significant digits only, no leading or trailing zeros
    int exponent = 0;  // value = 0.digits * 10^exponent
};

// Reads [sign] digits [. digits]; anything else makes the value zero.
Decimal parseDecimal(QByteArrayView text)
{
    const QByteArrayView trimmed = text.trimmed();
    Decimal d;
    qsizetype i = 0;
    if (i < trimmed.size() && (trimmed[i] == '-' || trimmed[i] == '+'))
        d.negative = trimmed[i++] == '-';
    QByteArray allDigits;
    int integerDigits = 0;
    bool seenPoint = false;
    for (; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            allDigits.append(c);
            if (!seenPoint)
                ++integerDigits;
        } else {
            return {};
        }
    }
    qsizetype lead = 0;
    while (lead < allDigits.size() && allDigits[lead] == '0')
        ++lead;
    qsizetype end = allDigits.size();
    while (end > lead && allDigits[end - 1] == '0')
        --end;
    if (lead == end)
        return {};
    d.digits = allDigits.mid(lead, std::min<qsizetype>(end - lead, kMaxDigits));
    d.exponent = integerDigits - int(lead);
    return d;
}

bool isZero(const char* key)
{
    return std::all_of(key + kDigitsOffset, key + kBcdKeyLength, [](char c) { return c == 0; });
}

} // namespace

QByteArray bcdKeyFromText(QByteArrayView text)
{
    const Decimal d = parseDecimal(text);
    QByteArray key(kBcdKeyLength, '\0');
    key[0] = char(kExponentBias + d.exponent);
    key[1] = char((d.negative && !d.digits.isEmpty() ? kNegative : 0) | (d.digits.size() << 2) | kAlwaysSet);
    for (qsizetype i = 0; i < d.digits.size(); ++i) {
        const int nibble = d.digits[i] - '0';
        key[kDigitsOffset + i / 2] = char(key[kDigitsOffset + i / 2] | (i % 2 == 0 ? nibble << 4 : nibble));
    }
    return key;
}

int compareBcdKeys(const char* a, const char* b)
{
    const bool negativeA = static_cast<unsigned char>(a[1]) & kNegative;
    const bool negativeB = static_cast<unsigned char>(b[1]) & kNegative;
    if (negativeA != negativeB)
        return negativeA ? -1 : 1;
    int magnitude = int(static_cast<unsigned char>(a[0])) - int(static_cast<unsigned char>(b[0]));
    if (magnitude == 0)
        magnitude = std::memcmp(a + kDigitsOffset, b + kDigitsOffset, kBcdKeyLength - kDigitsOffset);
    const int order = magnitude < 0 ? -1 : (magnitude > 0 ? 1 : 0);
    return negativeA ? -order : order;
}

QByteArray textFromBcdKey(QByteArrayView key)
{
    if (key.size() != kBcdKeyLength || isZero(key.data()))
        return "0";
    QByteArray digits;
    for (int i = kDigitsOffset; i < kBcdKeyLength; ++i) {
        const auto byte = static_cast<unsigned char>(key[i]);
        digits.append(char('0' + (byte >> 4)));
        digits.append(char('0' + (byte & 0x0F)));
    }
    while (digits.endsWith('0'))
        digits.chop(1);
    const int exponent = static_cast<unsigned char>(key[0]) - kExponentBias;
    QByteArray text;
    if (exponent <= 0)
        text = "0." + QByteArray(-exponent, '0') + digits;
    else if (exponent >= digits.size())
        text = digits + QByteArray(exponent - digits.size(), '0');
    else
        text = digits.left(exponent) + '.' + digits.mid(exponent);
    if (static_cast<unsigned char>(key[1]) & kNegative)
        text.prepend('-');
    return text;
}

} // namespace kadmor::mdx
