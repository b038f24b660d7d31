// SPDX-License-Identifier: GPL-3.0-or-later
#include "installation.h"

#include "install/installer.h"
#include "storage/table.h"
#include "util/sifruj.h"

#include <QDir>
#include <QTest>

namespace {

const QString valueField = QStringLiteral("HODNOTA");

// Opens konfig.dbf on the given row; the value may be written blank, as a damaged row would be.
struct ConfigRow
{
    ConfigRow(const QString& folder, int row) : table(kadmor::layouts::config())
    {
        table.setDatabaseName(folder);
        table.setTableName(QStringLiteral("konfig.dbf"));
        table.open();
        table.first();
        table.moveBy(row - 1);
    }
    kadmor::Field& value() { return table.fieldByName(valueField); }
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
    ConfigRow config(folder(), 4);
    config.table.edit();
    config.value().setRequired(false);
    config.value().setRawMode(true);
    config.value().setAsString(kadmor::scramblePassword(password));
    config.value().setRawMode(false);
    config.table.post();
}

QString Installation::storedPassword(int row) const
{
    ConfigRow config(folder(), row);
    config.value().setRawMode(true);
    return kadmor::unscramblePassword(config.value().asString());
}

void Installation::keepConfigRows(int count)
{
    kadmor::Table table(kadmor::layouts::config());
    table.setDatabaseName(folder());
    table.setTableName(QStringLiteral("konfig.dbf"));
    table.open();
    while (table.recordCount() > count) {
        table.last();
        table.remove();
    }
}
