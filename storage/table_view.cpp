// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "storage/table_private.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace kadmor {

// Order

void Table::setIndexName(const QString& tag)
{
    const bool known =
        tag.isEmpty() ||
        (d->layout && std::any_of(d->layout->tags.begin(), d->layout->tags.end(), [&](const TagSpec& declared) {
             return declared.name.compare(tag, Qt::CaseInsensitive) == 0;
         }));
    if (!known)
        throw Error(QStringLiteral("Tabulka %1 nemá index %2.").arg(d->tableName, tag));
    if (!isOpen()) {
        d->indexName = tag;
        return;
    }
    d->checkBrowseMode();
    if (tag.compare(d->indexName, Qt::CaseInsensitive) == 0)
        return;
    const int record = d->currentRecord();
    d->indexName = tag;
    d->range.reset(); // a range is made of keys of the tag it was set on
    d->rebuildView();
    d->placeCursor(record, 0);
    d->notifyView();
    if (d->currentRecord() != record)
        d->scrolled();
}

QString Table::indexName() const
{
    return d->indexName;
}

// Selection

void Table::setFilter(const QString& expression)
{
    std::optional<Private::Filter> parsed = d->parseFilter(expression);
    if (isOpen())
        d->checkBrowseMode();
    if (expression == d->filterText)
        return;
    if (!isOpen() || !d->filtered) {
        d->filterText = expression;
        d->filter = std::move(parsed);
        return;
    }
    d->filterText = expression;
    d->filter = std::move(parsed);
    d->rebuildView();
    d->placeCursor(-1, 0);
    d->notifyView();
    d->scrolled();
}

QString Table::filter() const
{
    return d->filterText;
}

void Table::setFiltered(bool on)
{
    if (!isOpen()) {
        d->filtered = on;
        return;
    }
    d->checkBrowseMode();
    if (on == d->filtered)
        return;
    d->filtered = on;
    d->rebuildView();
    d->placeCursor(-1, 0);
    d->notifyView();
    d->scrolled();
}

bool Table::filtered() const
{
    return d->filtered;
}

void Table::setRange(const QString& from, const QString& to)
{
    d->requireOpen();
    if (!d->currentTag())
        throw Error(QStringLiteral("Rozsah tabulky %1 lze nastavit jen při řazení podle indexu.").arg(d->tableName));
    d->checkBrowseMode();
    d->range = Private::Range{from, to};
    d->rebuildView();
    d->placeCursor(-1, 0);
    d->notifyView();
    d->scrolled();
}

void Table::cancelRange()
{
    d->requireOpen();
    d->checkBrowseMode();
    if (!d->range)
        return;
    const int record = d->currentRecord();
    d->range.reset();
    d->rebuildView();
    d->placeCursor(record, 0);
    d->notifyView();
    d->scrolled();
}

bool Table::findKey(const QString& key)
{
    d->requireOpen();
    TagIndex* tag = d->currentTag();
    if (!tag)
        throw Error(QStringLiteral("Tabulka %1 není řazena podle indexu, nelze v ní hledat.").arg(d->tableName));
    d->checkBrowseMode();
    const TagIndex::Key prepared = tag->key(key);
    const int position = d->lowerBound(*tag, prepared);
    if (position >= d->viewSize() || tag->compare(d->view()[size_t(position)], prepared) != 0)
        return false;
    d->moveToRow(position);
    d->scrolled();
    return true;
}

void Table::findNearest(const QString& key)
{
    d->requireOpen();
    TagIndex* tag = d->currentTag();
    if (!tag)
        throw Error(QStringLiteral("Tabulka %1 není řazena podle indexu, nelze v ní hledat.").arg(d->tableName));
    d->checkBrowseMode();
    d->moveToRow(d->lowerBound(*tag, tag->key(key)));
    d->scrolled();
}

// Private helpers

TagIndex* Table::Private::currentTag()
{
    if (indexName.isEmpty())
        return nullptr;
    for (TagIndex& tag : tags)
        if (tag.name().compare(indexName, Qt::CaseInsensitive) == 0)
            return &tag;
    return nullptr;
}

int Table::Private::lowerBound(const TagIndex& tag, const TagIndex::Key& key) const
{
    const std::vector<int>& ordered = view();
    const auto found =
        std::partition_point(ordered.begin(), ordered.end(), [&](int record) { return tag.compare(record, key) < 0; });
    return int(found - ordered.begin());
}

bool Table::Private::inRange(TagIndex& tag, int record) const
{
    return !range || (tag.compare(record, tag.key(range->from)) >= 0 && tag.compare(record, tag.key(range->to)) <= 0);
}

void Table::Private::rebuildView()
{
    TagIndex* tag = currentTag();
    const bool selecting = (filtered && filter) || range;
    if (tag && !tag->built() && !selecting) {
        // The whole table in an order not built yet: built when someone reads a row.
        viewPending = true;
        rows.clear();
        pendingSize = 0;
        for (int record = 0; record < records.count(); ++record)
            pendingSize += records.deleted(record) ? 0 : 1;
        return;
    }
    buildView();
}

void Table::Private::buildView()
{
    viewPending = false;
    rows.clear();
    const std::function<bool(int)> matches = filterPredicate();
    TagIndex* tag = currentTag();
    if (tag && !tag->built() && filtered && filter) {
        // A few records of a large table (one lesson): only their keys are made and sorted.
        for (int record = 0; record < records.count(); ++record)
            if (!records.deleted(record) && matches(record) && inRange(*tag, record))
                rows.push_back(record);
        std::sort(rows.begin(), rows.end(), [tag](int a, int b) { return tag->less(a, b); });
        return;
    }
    if (tag) {
        if (!tag->built())
            tag->build();
        auto begin = tag->order().begin();
        auto end = tag->order().end();
        if (range) {
            const TagIndex::Key from = tag->key(range->from);
            const TagIndex::Key to = tag->key(range->to);
            begin = std::partition_point(begin, end, [&](int record) { return tag->compare(record, from) < 0; });
            end = std::partition_point(begin, end, [&](int record) { return tag->compare(record, to) <= 0; });
        }
        rows.reserve(size_t(end - begin));
        std::copy_if(begin, end, std::back_inserter(rows), matches);
    } else {
        rows.reserve(size_t(records.count()));
        for (int record = 0; record < records.count(); ++record)
            if (!records.deleted(record) && matches(record))
                rows.push_back(record);
    }
}

void Table::Private::viewRecordChanged(int record, bool wasLive)
{
    const bool live = !records.deleted(record);
    if (viewPending) {
        pendingSize += int(live) - int(wasLive);
        return;
    }
    const auto old = std::find(rows.begin(), rows.end(), record);
    if (old != rows.end())
        rows.erase(old);
    if (!live || !filterPredicate()(record))
        return;
    TagIndex* tag = currentTag();
    if (tag && !inRange(*tag, record))
        return;
    const auto place = tag ? std::partition_point(rows.begin(), rows.end(),
                                                  [&](int other) { return tag->less(other, record); })
                           : std::lower_bound(rows.begin(), rows.end(), record);
    rows.insert(place, record);
}

void Table::Private::placeCursor(int record, int fallbackRow)
{
    if (record < 0) {
        moveToRow(fallbackRow);
        return;
    }
    const std::vector<int>& ordered = view();
    const auto found = std::find(ordered.begin(), ordered.end(), record);
    moveToRow(found != ordered.end() ? int(found - ordered.begin()) : fallbackRow);
}

std::function<bool(int)> Table::Private::filterPredicate()
{
    if (!filtered || !filter)
        return [](int) { return true; };
    const FieldInfo& info = fields[size_t(filter->field)];
    if (info.type != FieldType::Character || !info.stored()) {
        return [this](int record) {
            QString value = fieldText(filter->field, Source{records.at(record), record});
            while (value.endsWith(QLatin1Char(' ')))
                value.chop(1);
            return value == filter->value;
        };
    }
    return [this, matches = valueMatcher(filter->field, filter->value)](int record) {
        return matches(records.at(record));
    };
}

std::function<bool(const char*)> Table::Private::valueMatcher(int field, const QString& value)
{
    const FieldInfo& info = fields[size_t(field)];
    if (info.type != FieldType::Character || !info.stored()) {
        return [this, field, value](const char* record) {
            QString text = fieldText(field, Source{record, -1});
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
            return text == value;
        };
    }
    // Text is compared as stored, without the padding that reading drops: no conversion per record.
    QByteArray wanted;
    try {
        wanted = field_codec::fromText(info, value, codePage);
    } catch (const Error&) {
        return [](const char*) { return false; }; // a character the table cannot hold is in no record
    }
    if (value.size() > info.width)
        return [](const char*) { return false; };
    qsizetype length = wanted.size();
    while (length > 0 && (wanted[length - 1] == ' ' || wanted[length - 1] == '\0'))
        --length;
    wanted.truncate(length);
    return [offset = info.offset, width = info.width, wanted](const char* record) {
        const char* stored = record + offset;
        const size_t size = size_t(wanted.size());
        if (std::memcmp(stored, wanted.constData(), size) != 0)
            return false; // most records differ at once
        return std::all_of(stored + size, stored + width, [](char byte) { return byte == ' ' || byte == '\0'; });
    };
}

int Table::countRecordsWith(const QString& fieldName, const QString& value)
{
    d->requireOpen();
    QString wanted = value;
    while (wanted.endsWith(QLatin1Char(' ')))
        wanted.chop(1);
    const std::function<bool(const char*)> matches = d->valueMatcher(fieldByName(fieldName).index(), wanted);
    RecordBuffer now;
    const RecordBuffer* source = &d->records;
    if (d->file->replacedOnDisk()) { // packed or copied over elsewhere: the file at the path counts
        DbfFile file(d->file->path(), DbfFile::Access::Shared);
        if (file.recordLength() == d->records.length) { // the same fields, or we would misread it
            now = RecordBuffer{file.readRecordsNow(), file.recordLength()};
            source = &now;
        }
    } else if (!d->file->unchangedSinceRead()) {
        now = RecordBuffer{d->file->readRecordsNow(), d->records.length};
        source = &now;
    }
    int count = 0;
    for (int record = 0; record < source->count(); ++record)
        count += !source->deleted(record) && matches(source->at(record)) ? 1 : 0;
    return count;
}

std::optional<Table::Private::Filter> Table::Private::parseFilter(const QString& expression) const
{
    if (expression.trimmed().isEmpty())
        return std::nullopt;
    static const QRegularExpression shape(QStringLiteral("^\\s*(\\w+)\\s*=\\s*'(.*)'\\s*$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = shape.match(expression);
    const Field* field = match.hasMatch() ? q.findField(match.captured(1)) : nullptr;
    if (!field)
        throw Error(QStringLiteral("Filtr „%1“ tabulky %2 nelze použít.").arg(expression, tableName));
    QString value = match.captured(2);
    while (value.endsWith(QLatin1Char(' ')))
        value.chop(1);
    return Filter{field->index(), value};
}

} // namespace kadmor
