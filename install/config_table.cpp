// SPDX-License-Identifier: GPL-3.0-or-later
#include "install/config_table.h"

#include "storage/config_rows.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "storage/table.h"
#include "util/sifruj.h"

#include <QDir>

#include <algorithm>

namespace kadmor::install {

namespace {

struct ConfigRow
{
    QString name;   // NAZEV, at most 15 characters
    QString value;  // HODNOTA, at most 30
    QString remark; // POZN, at most 40
};

bool isPasswordRow(int position)
{
    return std::find(std::begin(config::passwordRows), std::end(config::passwordRows), position) !=
           std::end(config::passwordRows);
}

// Appends the row at the position (from 1); the password rows keep their scrambled bytes as they are.
void appendRow(Table& table, const ConfigRow& row, int position)
{
    namespace field = schema::config::field;
    table.append();
    table.fieldByName(field::name).setAsString(row.name);
    table.fieldByName(field::remark).setAsString(row.remark);
    if (isPasswordRow(position)) {
        config::RawValue value(table);
        value.field().setAsString(row.value);
    } else {
        table.fieldByName(field::value).setAsString(row.value);
    }
    table.post();
}

} // namespace

void createConfigTable(const QString& appFolder, const QString& language, const QString& dataFolder,
                       const QString& password)
{
    const TableLayout& layout = layouts::config();
    createTable(QDir(appFolder).filePath(layout.fileName), layout);

    const QString scrambled = scramblePassword(password);
    // In the order of their positions: language, data folder, the two password rows.
    const ConfigRow rows[] = {
        {"Jazyk", language, "cizí jazyk jako přídavné jméno"},
        {"Cesta k datům", dataFolder, "složka tabulek slovíček, žáků a frází"},
        {"Heslo", scrambled, "heslo učitele, zašifrované"},
        {"Heslo učitele", scrambled, "heslo učitele, zašifrované"},
    };
    static_assert(config::languageRow == 1 && config::dataFolderRow == 2 && config::passwordRows[0] == 3 &&
                  config::passwordRows[1] == 4);

    Table table(layout);
    table.setDatabaseName(appFolder);
    table.open();
    // NAZEV and POZN are read-only for the configuration page, not for the one who lays it out.
    for (int i = 0; i < table.fieldCount(); ++i) {
        table.field(i).setReadOnly(false);
    }
    int position = 0;
    for (const ConfigRow& row : rows) {
        appendRow(table, row, ++position);
    }
    table.close();
}

} // namespace kadmor::install
