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
    if (position >= int(d->view.size()) || tag->compare(d->view[size_t(position)], prepared) != 0)
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
    for (TagIndex& tag : tags) {
        if (tag.name().compare(indexName, Qt::CaseInsensitive) == 0) {
            if (!tag.built())
                tag.build();
            return &tag;
        }
    }
    return nullptr;
}

int Table::Private::lowerBound(const TagIndex& tag, const TagIndex::Key& key) const
{
    const auto found =
        std::partition_point(view.begin(), view.end(), [&](int record) { return tag.compare(record, key) < 0; });
    return int(found - view.begin());
}

void Table::Private::rebuildView()
{
    view.clear();
    const std::function<bool(int)> matches = filterPredicate();
    const auto take = [&](int record) {
        if (matches(record))
            view.push_back(record);
    };
    if (TagIndex* tag = currentTag()) {
        auto begin = tag->order().begin();
        auto end = tag->order().end();
        if (range) {
            const TagIndex::Key from = tag->key(range->from);
            const TagIndex::Key to = tag->key(range->to);
            begin = std::partition_point(begin, end, [&](int record) { return tag->compare(record, from) < 0; });
            end = std::partition_point(begin, end, [&](int record) { return tag->compare(record, to) <= 0; });
        }
        view.reserve(size_t(end - begin));
        std::for_each(begin, end, take);
    } else {
        view.reserve(size_t(records.count()));
        for (int record = 0; record < records.count(); ++record)
            if (!records.deleted(record))
                take(record);
    }
}

void Table::Private::placeCursor(int record, int fallbackRow)
{
    const auto found = record < 0 ? view.end() : std::find(view.begin(), view.end(), record);
    moveToRow(found != view.end() ? int(found - view.begin()) : fallbackRow);
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
    // Text is compared as stored, padded to the field's width: no conversion per record.
    QByteArray wanted;
    try {
        wanted = field_codec::fromText(info, filter->value, codePage);
    } catch (const Error&) {
        return [](int) { return false; }; // a character the table cannot hold is in no record
    }
    if (filter->value.size() > info.width)
        return [](int) { return false; };
    return [this, offset = info.offset, wanted](int record) {
        return std::memcmp(records.at(record) + offset, wanted.constData(), size_t(wanted.size())) == 0;
    };
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
