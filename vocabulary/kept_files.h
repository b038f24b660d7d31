// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace kadmor {
struct TableLayout;
}

// Which records name a sound or picture file, and whether the file may be deleted: word editing,
// the phrase book, the lesson exchange and bulk deletion ask here before a file goes.
namespace kadmor::kept_files {

// A file name stored in a field, and how many records of the tables counted so far name it.
struct NamedFile
{
    QString field;
    QString name;
    int records = 0;
};

// Adds the records of the table in the data folder that name each file, in one pass.
void countRecordsNaming(const QString& dataFolder, const TableLayout& layout, QList<NamedFile*> files);

// Whether the file may go: a plain name that at most the one record being deleted names.
bool deletable(const NamedFile& file);

// Deletes the file; a failure is an input/output error.
void deleteFile(const QString& path);

} // namespace kadmor::kept_files
