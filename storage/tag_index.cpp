// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/tag_index.h"

#include "storage/error.h"
#include "storage/field_codec.h"

#include <QLocale>

#include <algorithm>
#include <cstring>
#include <limits>

namespace kadmor {

namespace {

constexpr double kBlankNumber = -std::numeric_limits<double>::infinity(); // blanks sort first

int sign(double difference)
{
    return difference < 0 ? -1 : difference > 0 ? 1 : 0;
}

QLocale collationLocale(KeyOrder order)
{
    // English has no tailoring of its own, so its collation is the language-neutral root order.
    return order == KeyOrder::Czech ? QLocale(QLocale::Czech, QLocale::CzechRepublic)
                                    : QLocale(QLocale::English, QLocale::UnitedStates);
}

} // namespace

TagIndex::TagIndex(const TagSpec& spec, int offset, int width, const CodePage& codePage, const RecordBuffer& records)
    : m_spec(spec), m_offset(offset), m_width(width), m_codePage(codePage), m_records(records)
{
    if (spec.order == KeyOrder::Czech || spec.order == KeyOrder::Unicode)
        m_collator.emplace(collationLocale(spec.order));
}

QString TagIndex::fieldText(int record) const
{
    QByteArrayView bytes(m_records.at(record) + m_offset, m_width);
    while (!bytes.isEmpty() && (bytes.back() == ' ' || bytes.back() == '\0'))
        bytes.chop(1);
    return m_codePage.decode(bytes);
}

int TagIndex::keyCount() const
{
    switch (m_spec.order) {
    case KeyOrder::Plain:
        return m_records.count();
    case KeyOrder::Czech:
    case KeyOrder::Unicode:
        return int(m_textKeys.size());
    case KeyOrder::Numeric:
        return int(m_numberKeys.size());
    }
    return 0;
}

void TagIndex::computeKey(int record)
{
    switch (m_spec.order) {
    case KeyOrder::Plain:
        return; // compared straight from the record
    case KeyOrder::Czech:
    case KeyOrder::Unicode: {
        QCollatorSortKey key = m_collator->sortKey(fieldText(record));
        if (record < int(m_textKeys.size()))
            m_textKeys[record] = std::move(key);
        else
            m_textKeys.push_back(std::move(key));
        return;
    }
    case KeyOrder::Numeric: {
        const std::optional<double> value =
            field_codec::number(QByteArrayView(m_records.at(record) + m_offset, m_width));
        m_numberKeys.resize(std::max<size_t>(m_numberKeys.size(), record + 1));
        m_numberKeys[record] = value.value_or(kBlankNumber);
        return;
    }
    }
}

void TagIndex::build()
{
    const int count = m_records.count();
    m_textKeys.clear();
    m_numberKeys.clear();
    m_textKeys.reserve(count);
    m_order.clear();
    m_order.reserve(count);
    for (int record = 0; record < count; ++record) {
        computeKey(record);
        if (!m_records.deleted(record))
            m_order.push_back(record);
    }
    std::sort(m_order.begin(), m_order.end(), [this](int a, int b) { return less(a, b); });
    m_built = true;
}

void TagIndex::recordChanged(int record)
{
    if (!m_built)
        return;
    const auto old = std::find(m_order.begin(), m_order.end(), record);
    if (old != m_order.end())
        m_order.erase(old);
    for (int missing = keyCount(); missing < record; ++missing)
        computeKey(missing); // records appended by others since the last change
    computeKey(record);
    if (!m_records.deleted(record))
        m_order.insert(
            std::lower_bound(m_order.begin(), m_order.end(), record, [this](int a, int b) { return less(a, b); }),
            record);
}

int TagIndex::compareRecords(int a, int b) const
{
    switch (m_spec.order) {
    case KeyOrder::Plain:
        return std::memcmp(m_records.at(a) + m_offset, m_records.at(b) + m_offset, size_t(m_width));
    case KeyOrder::Czech:
    case KeyOrder::Unicode:
        return m_textKeys[a].compare(m_textKeys[b]);
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
        key.text = m_collator->sortKey(text);
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
    switch (m_spec.order) {
    case KeyOrder::Plain:
        return std::memcmp(m_records.at(record) + m_offset, key.bytes.constData(), size_t(m_width));
    case KeyOrder::Czech:
    case KeyOrder::Unicode:
        return m_textKeys[record].compare(*key.text);
    case KeyOrder::Numeric:
        return sign(m_numberKeys[record] - key.number);
    }
    return 0;
}

} // namespace kadmor
