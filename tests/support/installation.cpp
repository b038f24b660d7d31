// SPDX-License-Identifier: GPL-3.0-or-later
#include "installation.h"

#include "install/installer.h"
#include "storage/config_rows.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "storage/table.h"
#include "util/sifruj.h"

#include <QDir>
#include <QTest>

namespace {

// Opens konfig.dbf on the given row; the value may be written blank, as a damaged row would be.
struct ConfigRow
{
    ConfigRow(const QString& folder, int row) : table(kadmor::layouts::config())
    {
        table.setDatabaseName(folder);
        table.setTableName(kadmor::layouts::config().fileName);
        table.open();
        kadmor::config::goToRow(table, row);
    }
    kadmor::Field& value() { return table.fieldByName(kadmor::schema::config::field::value); }
    kadmor::Table table;
};

} // namespace

Installation::Installation() : m_root(QDir::tempPath() + QStringLiteral("/ks-XXXXXX"))
{
    kadmor::install::InstallRequest request;
    request.folder = folder();
    request.payloadFolder = QStringLiteral(KADMOR_PAYLOAD);
    kadmor::install::installApplication(request);
}

QString Installation::configValue(int row) const
{
    ConfigRow config(folder(), row);
    return config.value().asString();
}

void Installation::setConfigValue(int row, const QString& value)
{
    ConfigRow config(folder(), row);
    config.table.edit();
    config.value().setRequired(false);
    config.value().setAsString(value);
    config.table.post();
}

void Installation::setStoredPassword(const QString& password)
{
    ConfigRow config(folder(), kadmor::config::teacherPasswordRow);
    config.table.edit();
    config.value().setRequired(false);
    {
        kadmor::config::RawValue stored(config.table);
        stored.field().setAsString(kadmor::scramblePassword(password));
    }
    config.table.post();
}

QString Installation::storedPassword(int row) const
{
    ConfigRow config(folder(), row);
    return kadmor::unscramblePassword(kadmor::config::rawValue(config.table, row));
}

void Installation::keepConfigRows(int count)
{
    kadmor::Table table(kadmor::layouts::config());
    table.setDatabaseName(folder());
    table.setTableName(kadmor::layouts::config().fileName);
    table.open();
    while (table.recordCount() > count) {
        table.last();
        table.remove();
    }
}
