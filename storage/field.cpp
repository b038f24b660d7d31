// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "storage/table_private.h"

#include <cmath>
#include <limits>

namespace kadmor {

namespace {

int integerFrom(double value, const QString& fieldName)
{
    const double rounded = std::round(value);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        throw Error(QStringLiteral("Hodnota pole %1 je příliš velká.").arg(fieldName));
    return int(rounded);
}

} // namespace

// Field: thin wrappers over the table's field access

QString Field::name() const
{
    return m_table->d->fields[size_t(m_index)].name;
}

FieldType Field::type() const
{
    return m_table->d->fields[size_t(m_index)].type;
}

int Field::width() const
{
    return m_table->d->fields[size_t(m_index)].width;
}

int Field::decimals() const
{
    return m_table->d->fields[size_t(m_index)].decimals;
}

bool Field::isNull() const
{
    auto& d = *m_table->d;
    const FieldInfo& info = d.fields[size_t(m_index)];
    if (!info.stored())
        return asString().isEmpty();
    return field_codec::isBlank(d.storedBytes(m_index, d.currentSource()));
}

QString Field::asString() const
{
    auto& d = *m_table->d;
    return d.fieldText(m_index, d.currentSource());
}

int Field::asInteger() const
{
    const QString text = asString();
    if (text.trimmed().isEmpty())
        return 0;
    const std::optional<double> value = field_codec::parseNumber(text);
    if (!value)
        throw Error(QStringLiteral("„%1“ není celé číslo (pole %2).").arg(text, name()));
    return integerFrom(*value, name());
}

double Field::asFloat() const
{
    const QString text = asString();
    if (text.trimmed().isEmpty())
        return 0;
    const std::optional<double> value = field_codec::parseNumber(text);
    if (!value)
        throw Error(QStringLiteral("„%1“ není číslo (pole %2).").arg(text, name()));
    return *value;
}

void Field::setAsString(const QString& value)
{
    auto& d = *m_table->d;
    const FieldInfo& info = d.fields[size_t(m_index)];
    if (!info.stored())
        return d.setCalculated(m_index, value);
    d.requireWritable(m_index);
    d.setFieldBytes(m_index, field_codec::fromText(info, value, d.codePage));
}

void Field::setAsInteger(int value)
{
    setAsFloat(value);
}

void Field::setAsFloat(double value)
{
    auto& d = *m_table->d;
    const FieldInfo& info = d.fields[size_t(m_index)];
    if (!info.stored())
        return d.setCalculated(m_index, field_codec::formatNumber(value));
    d.requireWritable(m_index);
    d.setFieldBytes(m_index, field_codec::fromNumber(info, value));
}

void Field::clear()
{
    setAsString(QString());
}

bool Field::rawMode() const
{
    return m_table->d->fields[size_t(m_index)].raw;
}

void Field::setRawMode(bool on)
{
    m_table->d->fields[size_t(m_index)].raw = on;
}

bool Field::required() const
{
    return m_table->d->fields[size_t(m_index)].required;
}

void Field::setRequired(bool on)
{
    m_table->d->fields[size_t(m_index)].required = on;
}

bool Field::readOnly() const
{
    return m_table->d->fields[size_t(m_index)].readOnly;
}

void Field::setReadOnly(bool on)
{
    m_table->d->fields[size_t(m_index)].readOnly = on;
}

// Table: the field list

int Table::fieldCount() const
{
    return int(d->fields.size());
}

Field& Table::field(int index)
{
    if (index < 0 || index >= fieldCount())
        throw Error(QStringLiteral("Tabulka %1 nemá pole číslo %2.").arg(d->tableName).arg(index + 1));
    return *d->fieldObjects[size_t(index)];
}

Field& Table::fieldByName(const QString& name)
{
    Field* found = findField(name);
    if (!found)
        throw Error(QStringLiteral("Tabulka %1 nemá pole %2.").arg(d->tableName, name));
    return *found;
}

Field* Table::findField(const QString& name)
{
    for (int i = 0; i < fieldCount(); ++i)
        if (d->fields[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return d->fieldObjects[size_t(i)].get();
    return nullptr;
}

// Private: where values come from and go to

Table::Private::Source Table::Private::currentSource() const
{
    switch (state) {
    case TableState::CalcFields:
        return calcSource;
    case TableState::Edit:
    case TableState::Insert:
        return Source{buffer.constData(), -1};
    case TableState::Browse:
        if (viewSize() != 0)
            return Source{records.at(currentRecord()), currentRecord()};
        break;
    case TableState::Inactive:
        break;
    }
    return Source{};
}

Table::Private::Source Table::Private::rowSource(int viewRow) const
{
    if (viewRow == row && state == TableState::Edit)
        return Source{buffer.constData(), -1}; // grids show the values being typed
    const int record = view()[size_t(viewRow)];
    return Source{records.at(record), record};
}

QByteArrayView Table::Private::storedBytes(int field, const Source& source) const
{
    const FieldInfo& info = fields[size_t(field)];
    if (!source.bytes || !info.stored())
        return {};
    return QByteArrayView(source.bytes + info.offset, info.width);
}

QString Table::Private::fieldText(int field, const Source& source)
{
    const FieldInfo& info = fields[size_t(field)];
    if (!info.stored())
        return calculatedText(field, source);
    if (!source.bytes)
        return {};
    return field_codec::text(info, storedBytes(field, source), codePage);
}

QString Table::Private::calculatedText(int field, const Source& source)
{
    if (state == TableState::CalcFields)
        return (*calcValues)[size_t(field)];
    if (!calcHook || !source.bytes)
        return {};
    const bool cacheable = source.record >= 0;
    if (cacheable && source.record < int(calcCache.size()) && !calcCache[size_t(source.record)].empty())
        return calcCache[size_t(source.record)][size_t(field)];

    std::vector<QString> values(fields.size());
    struct Restore
    {
        Private& d;
        TableState state;
        ~Restore()
        {
            d.state = state;
            d.calcSource = {};
            d.calcValues = nullptr;
        }
    } restore{*this, state};
    state = TableState::CalcFields; // no stateChanged: this is a moment inside a read
    calcSource = source;
    calcValues = &values;
    calcHook(q);
    if (cacheable) {
        if (source.record >= int(calcCache.size()))
            calcCache.resize(size_t(records.count()));
        calcCache[size_t(source.record)] = values;
    }
    return values[size_t(field)];
}

void Table::Private::requireWritable(int field) const
{
    if (state != TableState::Edit && state != TableState::Insert)
        throw Error(QStringLiteral("Záznam tabulky %1 není otevřen pro úpravy.").arg(tableName));
    if (fields[size_t(field)].readOnly)
        throw Error(QStringLiteral("Pole %1 nelze měnit.").arg(fields[size_t(field)].name));
}

void Table::Private::setFieldBytes(int field, const QByteArray& bytes)
{
    const FieldInfo& info = fields[size_t(field)];
    buffer.replace(info.offset, info.width, bytes);
    modified = true;
    notifyCurrent();
}

void Table::Private::setCalculated(int field, const QString& text)
{
    if (state != TableState::CalcFields)
        throw Error(QStringLiteral("Pole %1 se počítá, nelze do něj zapisovat.").arg(fields[size_t(field)].name));
    (*calcValues)[size_t(field)] = text;
}

} // namespace kadmor
