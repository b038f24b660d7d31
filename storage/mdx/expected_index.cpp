// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/expected_index.h"

#include "base/error.h"
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/mdx_format.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace kadmor::mdx {

namespace {

const DbfField& keyField(const DbfTable& table, const MdxTagDef& def)
{
    const DbfField* field = table.field(def.field);
    const bool fits = field && (def.keyType == 'C' ? field->type == 'C' && field->width <= kMaxCharacterKey
                                                   : def.keyType == 'N' && (field->type == 'N' || field->type == 'F'));
    if (!fits)
        throw Error(QStringLiteral("Tabulka nemá pole %1 pro index %2.")
                        .arg(QString::fromLatin1(def.field), QString::fromLatin1(def.name)));
    return *field;
}

Tag expectedTag(const DbfTable& table, const MdxTagDef& def)
{
    const DbfField& field = keyField(table, def);
    Tag tag;
    tag.info.name = def.name.toUpper();
    tag.info.expression = field.name;
    tag.info.keyType = def.keyType;
    tag.info.keyLength = def.keyType == 'N' ? kBcdKeyLength : field.width;

    const qsizetype length = tag.info.keyLength;
    const uint32_t count = table.recordCount;
    QByteArray keys;
    keys.reserve(count * length);
    for (uint32_t record = 1; record <= count; ++record) {
        if (def.keyType == 'N')
            keys.append(bcdKeyFromText(table.value(record, field)));
        else
            keys.append(table.value(record, field));
    }

    std::vector<uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        const int byKey =
            compareKeys(def.keyType, keys.constData() + a * length, keys.constData() + b * length, int(length));
        return byKey < 0 || (byKey == 0 && a < b);
    });
    tag.keys.reserve(keys.size());
    tag.recordNumbers.reserve(count);
    for (const uint32_t i : order) {
        tag.keys.append(keys.constData() + i * length, length);
        tag.recordNumbers.push_back(i + 1);
    }
    return tag;
}

// Record numbers in index order, those of equal keys sorted; empty when the keys are out of
// order. We write equal keys by record number; TDbf files an edited key after the equal ones,
// which serves searching as well.
std::vector<uint32_t> numbersByKey(const Tag& tag)
{
    std::vector<uint32_t> numbers = tag.recordNumbers;
    qsizetype runStart = 0;
    for (qsizetype i = 1; i <= tag.size(); ++i) {
        if (i < tag.size()) {
            const int order =
                compareKeys(tag.info.keyType, tag.key(i - 1).data(), tag.key(i).data(), tag.info.keyLength);
            if (order > 0)
                return {};
            if (order == 0)
                continue;
        }
        std::sort(numbers.begin() + runStart, numbers.begin() + i);
        runStart = i;
    }
    return numbers;
}

bool sameEntries(const Tag& actual, const Tag& expected)
{
    if (actual.size() != expected.size() || numbersByKey(actual) != expected.recordNumbers)
        return false;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (compareKeys(expected.info.keyType, actual.key(i).data(), expected.key(i).data(), expected.info.keyLength))
            return false;
    }
    return true;
}

bool sameTag(const Tag& actual, const Tag& expected)
{
    const TagInfo& a = actual.info;
    const TagInfo& e = expected.info;
    return a.expression.trimmed().compare(e.expression, Qt::CaseInsensitive) == 0 && a.keyType == e.keyType &&
           a.keyLength == e.keyLength && !a.descending && !a.unique && sameEntries(actual, expected);
}

} // namespace

IndexFile expectedIndex(const DbfTable& table, const QList<MdxTagDef>& tags, const QString& tableName)
{
    IndexFile index;
    index.tableName = tableName.toLocal8Bit();
    index.language = table.language;
    for (const MdxTagDef& def : tags)
        index.tags.append(expectedTag(table, def));
    return index;
}

bool sameIndex(const IndexFile& actual, const IndexFile& expected)
{
    if (actual.language != expected.language || actual.tags.size() != expected.tags.size())
        return false;
    return std::all_of(expected.tags.begin(), expected.tags.end(), [&](const Tag& wanted) {
        const auto found = std::find_if(actual.tags.begin(), actual.tags.end(), [&](const Tag& tag) {
            return tag.info.name.compare(wanted.info.name, Qt::CaseInsensitive) == 0;
        });
        return found != actual.tags.end() && sameTag(*found, wanted);
    });
}

QByteArray headerWithIndexFlags(const DbfTable& table, const QList<MdxTagDef>& tags)
{
    QByteArray header = table.bytes.left(table.headerLength);
    header[kDbfProductionIndexOffset] = char(tags.isEmpty() ? 0 : 1);
    for (const DbfField& field : table.fields) {
        const bool indexed = std::any_of(tags.begin(), tags.end(), [&](const MdxTagDef& def) {
            return field.name.compare(def.field, Qt::CaseInsensitive) == 0;
        });
        header[field.descriptorOffset + kDbfIndexedFieldOffset] = char(indexed ? 1 : 0);
    }
    return header;
}

} // namespace kadmor::mdx
