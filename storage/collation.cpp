// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/collation.h"

#include "base/error.h"

#include <unicode/ucol.h>

namespace kadmor {

namespace {
constexpr int32_t kUsualKeyLength = 64;
}

Collation::Collation(KeyOrder order)
{
    UErrorCode status = U_ZERO_ERROR;
    m_collator = ucol_open(order == KeyOrder::Czech ? "cs_CZ" : "", &status);
    if (U_FAILURE(status))
        throw Error(
            QStringLiteral("Řazení podle abecedy není k dispozici (%1).").arg(QLatin1String(u_errorName(status))));
}

Collation::~Collation()
{
    ucol_close(m_collator);
}

size_t Collation::appendKey(QStringView text, std::vector<char>& keys) const
{
    static_assert(sizeof(UChar) == sizeof(char16_t));
    const auto* characters = reinterpret_cast<const UChar*>(text.utf16());
    const size_t start = keys.size();
    keys.resize(start + kUsualKeyLength);
    int32_t length = ucol_getSortKey(m_collator, characters, int32_t(text.size()),
                                     reinterpret_cast<uint8_t*>(keys.data() + start), kUsualKeyLength);
    if (length > kUsualKeyLength) {
        keys.resize(start + size_t(length));
        length = ucol_getSortKey(m_collator, characters, int32_t(text.size()),
                                 reinterpret_cast<uint8_t*>(keys.data() + start), length);
    }
    keys.resize(start + size_t(length)); // the length counts the closing zero
    return start;
}

} // namespace kadmor
