// SPDX-License-Identifier: GPL-3.0-or-later
#include "install/config_table.h"

#include "storage/layouts.h"
#include "storage/table.h"
#include "util/sifruj.h"

#include <QDir>

namespace kadmor::install {

namespace {

struct ConfigRow
{
    QString name;   // NAZEV, at most 15 characters
    QString value;  // HODNOTA, at most 30
    QString remark; // POZN, at most 40
    bool raw = false;
};

void appendRow(Table& table, const ConfigRow& row)
{
    table.append();
    table.fieldByName("NAZEV").setAsString(row.name);
    table.fieldByName("POZN").setAsString(row.remark);
    Field& value = table.fieldByName("HODNOTA");
    value.setRawMode(row.raw);
    value.setAsString(row.value);
    value.setRawMode(false);
    table.post();
}

} // namespace

void createConfigTable(const QString& appFolder, const QString& language, const QString& dataFolder,
                       const QString& password)
{
    const TableLayout& layout = layouts::config();
    createTable(QDir(appFolder).filePath(layout.fileName), layout);

    const QString scrambled = scramblePassword(password);
    const ConfigRow rows[] = {
        {"Jazyk", language, "cizí jazyk jako přídavné jméno"},
        {"Cesta k datům", dataFolder, "složka tabulek slovíček, žáků a frází"},
        {"Heslo", scrambled, "heslo učitele, zašifrované", true},
        {"Heslo učitele", scrambled, "heslo učitele, zašifrované", true},
    };

    Table table(layout);
    table.setDatabaseName(appFolder);
    table.setTableName(layout.fileName);
    table.open();
    // NAZEV and POZN are read-only for the configuration page, not for the one who lays it out.
    for (int i = 0; i < table.fieldCount(); ++i) {
        table.field(i).setReadOnly(false);
    }
    for (const ConfigRow& row : rows) {
        appendRow(table, row);
    }
    table.close();
}

} // namespace kadmor::install
