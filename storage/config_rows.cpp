// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/config_rows.h"

#include "base/error.h"
#include "storage/code_page.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "storage/table.h"

#include <QDir>

namespace kadmor::config {

int valueWidth()
{
    for (const FieldSpec& field : layouts::config().fields) {
        if (field.name == schema::config::field::value)
            return field.width;
    }
    Q_UNREACHABLE();
}

void goToRow(Table& table, int row)
{
    table.first();
    table.moveBy(row - 1);
}

RawValue::RawValue(Table& table) : m_field(table.fieldByName(schema::config::field::value))
{
    m_field.setRawMode(true);
}

RawValue::~RawValue()
{
    m_field.setRawMode(false);
}

QString rawValue(Table& table, int row)
{
    goToRow(table, row);
    RawValue value(table);
    return value.field().asString();
}

void writeRawValue(Table& table, int row, const QString& value)
{
    goToRow(table, row);
    table.edit();
    {
        RawValue stored(table);
        stored.field().setAsString(value);
    }
    table.post();
}

ValueFit valueFit(const QString& text)
{
    if (text.size() > valueWidth())
        return ValueFit::TooLong;
    try {
        CodePage().encode(text);
    } catch (const Error&) {
        return ValueFit::OutsideCodePage;
    }
    return ValueFit::Fits;
}

namespace {

const QString homeMark = QStringLiteral("~");

} // namespace

QString storedDataFolder(const QString& folder)
{
    const QString inHome = QDir(QDir::homePath()).relativeFilePath(folder);
    const bool insideHome =
        QDir::isAbsolutePath(folder) && !inHome.startsWith(QStringLiteral("..")) && !QDir::isAbsolutePath(inHome);
    if (valueFit(folder) != ValueFit::TooLong || !insideHome)
        return folder;
    return homeMark + u'/' + inHome;
}

QString dataFolderFromStored(const QString& stored)
{
    if (stored == homeMark)
        return QDir::homePath();
    if (stored.startsWith(homeMark + u'/'))
        return QDir::homePath() + stored.mid(homeMark.size());
    return stored;
}

} // namespace kadmor::config
