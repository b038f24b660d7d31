// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/tag_index.h"

#include "base/error.h"
#include "storage/field_codec.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace kadmor {

namespace {

constexpr double kBlankNumber = -std::numeric_limits<double>::infinity(); // blanks sort first

int sign(double difference)
{
    return difference < 0 ? -1 : difference > 0 ? 1 : 0;
}

constexpr int kPrefixBytes = 8;

uint64_t bigEndianPrefix(const char* bytes, int available, bool stopAtZero)
{
    uint64_t value = 0;
    for (int i = 0; i < kPrefixBytes; ++i) {
        const auto byte = i < available ? uint8_t(bytes[i]) : uint8_t(0);
        value = (value << 8) | byte;
        if (stopAtZero && byte == 0)
            available = i; // nothing after the closing zero counts
    }
    return value;
}

// A double's bits turned so that unsigned comparison follows the numbers' order.
uint64_t orderedBits(double value)
{
    const auto bits = std::bit_cast<uint64_t>(value == 0 ? 0.0 : value);
    return (bits >> 63) != 0 ? ~bits : bits | (uint64_t(1) << 63);
}

} // namespace

TagIndex::TagIndex(const TagSpec& declared, int offset, int width, const CodePage& codePage, const RecordBuffer& records)
    : m_spec(declared), m_offset(offset), m_width(width), m_codePage(codePage), m_records(records)
{
    if (declared.order == KeyOrder::Czech || declared.order == KeyOrder::Unicode)
        m_collation = std::make_unique<Collation>(declared.order);
}

QString TagIndex::fieldText(int record) const
{
    QByteArrayView bytes(m_records.at(record) + m_offset, m_width);
    while (!bytes.isEmpty() && (bytes.back() == ' ' || bytes.back() == '\0'))
        bytes.chop(1);
    return m_codePage.decode(bytes);
}

void TagIndex::ensureKey(int record) const
{
    if (m_spec.order == KeyOrder::Plain)
        return; // compared straight from the record
    if (size_t(record) >= m_hasKey.size()) {
        const size_t size = std::max(size_t(record) + 1, size_t(m_records.count()));
        m_hasKey.resize(size, 0);
        if (m_collation)
            m_textKeyStart.resize(size, 0);
        else
            m_numberKeys.resize(size, kBlankNumber);
    }
    if (!m_hasKey[size_t(record)])
        computeKey(record);
}

void TagIndex::computeKey(int record) const
{
    switch (m_spec.order) {
    case KeyOrder::Plain:
        return;
    case KeyOrder::Czech:
    case KeyOrder::Unicode:
        // A changed record's old key stays behind unused until the next build.
        m_textKeyStart[size_t(record)] = m_collation->appendKey(fieldText(record), m_textKeys);
        break;
    case KeyOrder::Numeric:
        m_numberKeys[size_t(record)] =
            field_codec::number(QByteArrayView(m_records.at(record) + m_offset, m_width)).value_or(kBlankNumber);
        break;
    }
    m_hasKey[size_t(record)] = 1;
}

void TagIndex::invalidate()
{
    m_built = false;
    m_order.clear();
    m_textKeys.clear();
    m_textKeyStart.clear();
    m_numberKeys.clear();
    m_hasKey.clear();
}

void TagIndex::build()
{
    const int count = m_records.count();
    invalidate();
    if (m_collation)
        m_textKeys.reserve(size_t(count) * 24);
    struct Entry
    {
        uint64_t prefix;
        int record;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(count));
    for (int record = 0; record < count; ++record) {
        if (m_records.deleted(record))
            continue; // its key is made when someone compares it
        ensureKey(record);
        entries.push_back(Entry{prefix(record), record});
    }
    const bool prefixIsWholeKey =
        m_spec.order == KeyOrder::Numeric || (m_spec.order == KeyOrder::Plain && m_width <= kPrefixBytes);
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return prefixIsWholeKey ? a.record < b.record : less(a.record, b.record);
    });
    m_order.resize(entries.size());
    std::transform(entries.begin(), entries.end(), m_order.begin(), [](const Entry& entry) { return entry.record; });
    m_built = true;
}

uint64_t TagIndex::prefix(int record) const
{
    switch (m_spec.order) {
    case KeyOrder::Plain:
        return bigEndianPrefix(m_records.at(record) + m_offset, m_width, false);
    case KeyOrder::Czech:
    case KeyOrder::Unicode:
        return bigEndianPrefix(textKey(record), kPrefixBytes, true);
    case KeyOrder::Numeric:
        return orderedBits(m_numberKeys[size_t(record)]);
    }
    return 0;
}

void TagIndex::recordChanged(int record)
{
    if (size_t(record) < m_hasKey.size())
        m_hasKey[size_t(record)] = 0;
    if (!m_built)
        return;
    const auto old = std::find(m_order.begin(), m_order.end(), record);
    if (old != m_order.end())
        m_order.erase(old);
    if (!m_records.deleted(record))
        m_order.insert(
            std::lower_bound(m_order.begin(), m_order.end(), record, [this](int a, int b) { return less(a, b); }),
            record);
}

int TagIndex::compareRecords(int a, int b) const
{
    ensureKey(a);
    ensureKey(b);
    switch (m_spec.order) {
    case KeyOrder::Plain:
        return std::memcmp(m_records.at(a) + m_offset, m_records.at(b) + m_offset, size_t(m_width));
    case KeyOrder::Czech:
    case KeyOrder::Unicode:
        return std::strcmp(textKey(a), textKey(b));
    case KeyOrder::Numeric:
        return sign(m_numberKeys[a] - m_numberKeys[b]);
    }
    return 0;
}

bool TagIndex::less(int a, int b) const
{
    const int difference = compareRecords(a, b);
    return difference != 0 ? difference < 0 : a < b;
}

TagIndex::Key TagIndex::key(const QString& value) const
{
    Key key;
    switch (m_spec.order) {
    case KeyOrder::Plain: {
        QByteArray bytes;
        try {
            bytes = m_codePage.encode(value);
        } catch (const Error&) {
            bytes = value.toLatin1(); // a character the table cannot hold matches nothing exactly
        }
        key.bytes = bytes.left(m_width).leftJustified(m_width, ' ');
        break;
    }
    case KeyOrder::Czech:
    case KeyOrder::Unicode: {
        QString text = value;
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        std::vector<char> bytes;
        m_collation->appendKey(text, bytes);
        key.bytes = QByteArray(bytes.data()); // up to the closing zero
        break;
    }
    case KeyOrder::Numeric: {
        const std::optional<double> number = field_codec::parseNumber(value);
        if (!number && !value.trimmed().isEmpty())
            throw Error(QStringLiteral("„%1“ není číslo, index %2 řadí podle čísel.").arg(value, m_spec.name));
        key.number = number.value_or(kBlankNumber);
        break;
    }
    }
    return key;
}

int TagIndex::compare(int record, const Key& key) const
{
    ensureKey(record);
    switch (m_spec.order) {
    case KeyOrder::Plain:
        return std::memcmp(m_records.at(record) + m_offset, key.bytes.constData(), size_t(m_width));
    case KeyOrder::Czech:
    case KeyOrder::Unicode:
        return std::strcmp(textKey(record), key.bytes.constData());
    case KeyOrder::Numeric:
        return sign(m_numberKeys[record] - key.number);
    }
    return 0;
}

} // namespace kadmor
