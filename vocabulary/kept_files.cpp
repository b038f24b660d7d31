// SPDX-License-Identifier: GPL-3.0-or-later
#include "vocabulary/kept_files.h"

#include "base/error.h"
#include "storage/table.h"
#include "util/soubory.h"

#include <QFile>

namespace kadmor::kept_files {

void countRecordsNaming(const QString& dataFolder, const TableLayout& layout, QList<NamedFile*> files)
{
    Table table(layout);
    table.setDatabaseName(dataFolder);
    table.setTableName(layout.fileName);
    table.open();
    for (table.first(); !table.eof(); table.next()) {
        for (NamedFile* file : files)
            file->records += table.fieldByName(file->field).asString() == file->name ? 1 : 0;
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
