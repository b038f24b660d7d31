// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: a .dbf file as the engine meets it in a data folder, opened and read whole by the
// administrator's tool, by a table without a layout and by the word table with its index.
#include "base/error.h"
#include "storage/file_records.h"
#include "storage/layouts.h"
#include "storage/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

using namespace kadmor;

namespace {

// Every input is written to the same file; memory-backed when the system offers it.
const QTemporaryDir& scratch()
{
    static const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/kadmor-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/kadmor-fuzz-XXXXXX"));
    return dir;
}

void readEverything(Table& table)
{
    table.open();
    for (int row = 0; row < table.recordCount(); ++row) {
        table.moveToRow(row);
        for (int field = 0; field < table.fieldCount(); ++field) {
            (void)table.text(row, field);
            try {
                (void)table.field(field).asFloat();
            } catch (const Error&) {
                // text that is no number
            }
        }
    }
    table.close();
}

void readWithLayout(const QString& folder)
{
    Table table(layouts::words());
    table.setDatabaseName(folder);
    for (const TagSpec& tag : layouts::words().tags) {
        table.setIndexName(tag.name);
        readEverything(table);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString folder = scratch().path();
    const QString path = QDir(folder).filePath(layouts::words().fileName);
    QFile::remove(QDir(folder).filePath(QStringLiteral("kadmor.mdx")));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    try {
        (void)readFileRecords(path);
        Table plain;
        plain.setTableName(path);
        readEverything(plain);
        readWithLayout(folder);
    } catch (const Error&) {
        // a table that is no table, or damaged, is refused with a message: the sound outcome
    }
    return 0;
}
