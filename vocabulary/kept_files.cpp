// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/kept_files.h"

#include "base/error.h"
#include "storage/table.h"
#include "util/soubory.h"

#include <QFile>
#include <QMultiHash>

#include <algorithm>
#include <utility>

namespace kadmor::kept_files {

void countRecordsNaming(const QString& dataFolder, const TableLayout& layout, QList<NamedFile*> files)
{
    Table table(layout);
    table.setDatabaseName(dataFolder);
    table.open();
    // Each field is read once per record and its value looked up, so that counting the files of a
    // whole table being deleted takes one pass, not one pass per file.
    QList<std::pair<Field*, QMultiHash<QString, NamedFile*>>> byField;
    for (NamedFile* file : files) {
        Field* field = &table.fieldByName(file->field);
        auto known = std::find_if(byField.begin(), byField.end(), [field](const auto& f) { return f.first == field; });
        if (known == byField.end())
            known = byField.insert(byField.end(), {field, {}});
        known->second.insert(file->name, file);
    }
    for (table.first(); !table.eof(); table.next()) {
        for (const auto& [field, named] : byField) {
            const QString value = field->asString();
            for (auto file = named.constFind(value); file != named.cend() && file.key() == value; ++file)
                ++(*file)->records;
        }
    }
}

bool deletable(const NamedFile& file)
{
    return !file.name.isEmpty() && isPlainFileName(file.name) && file.records <= 1;
}

void deleteFile(const QString& path)
{
    if (!QFile::exists(path))
        throw Error(QStringLiteral("Soubor \"%1\" neexistuje.").arg(path));
    if (!QFile::remove(path))
        throw Error(QStringLiteral("Soubor \"%1\" nelze smazat.").arg(path));
}

} // namespace kadmor::kept_files
