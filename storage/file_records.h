// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kadmor {

// A table file read whole, deleted records included, for administrators' tools; the table
// object itself never shows deleted records.
struct FileRecord
{
    bool deleted = false;
    QStringList values; // in file order, as Field::asString() gives them
};

struct FileRecords
{
    QStringList fieldNames;
    QList<FileRecord> records;
};

// Throws kadmor::Error when the file cannot be read.
FileRecords readFileRecords(const QString& path);

} // namespace kadmor
