// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/mdx/index_file.h"
#include "storage/mdx/tag_def.h"

#include <QList>
#include <QString>
#include <QStringList>

// The production index of a dBASE table: the .mdx file beside the .dbf, of the same base name,
// that dBASE and other programs open with the table and keep in step with its records.
// All functions work from the files alone and throw kadmor::Error with a Czech text on failure.
// Callers that share the data folder hold the table's write lock around them.
namespace kadmor {

// The existing index files of the table, whatever the letter case of their names (kadmor.mdx,
// KADMOR.MDX); empty when there is none.
QStringList findIndexFiles(const QString& dbfPath);
QString findIndexFile(const QString& dbfPath); // the first of them, or an empty string
// Where the index lives: the existing file, or a new name in the letter case of the table's
// extension (kadmor.dbf -> kadmor.mdx, KADMOR.DBF -> KADMOR.MDX).
QString indexFilePath(const QString& dbfPath);

// Rebuilds the index from the records, deleted ones included, and writes it over every existing
// index file of the table in place (IndexEditor::rewrite), or into a new file when there is none.
// It carries the table's fingerprint (table_fingerprint.h) as it is now.
void writeProductionIndex(const QString& dbfPath, const QList<MdxTagDef>& tags);

// One record as it was before a write and as the write left it; before is empty for an
// appended record.
struct RecordChange
{
    uint32_t recordNumber = 0; // from 1
    QByteArray before;
    QByteArray after;
};

// Keeps the index in step with one written record in place, block by block: only the keys that
// changed move. When the index carries fingerprintBefore, the table's fingerprint just before the
// write, it then carries the table's fingerprint as it is now; when another program wrote the
// table since, it keeps none, so that the next open checks it in full. Returns false when the
// index is not sound, declares other tags or lacks the record's old key; the caller then
// rebuilds it.
bool updateProductionIndexInPlace(const QString& dbfPath, const QList<MdxTagDef>& tags, const RecordChange& change,
                                  const QByteArray& fingerprintBefore);

// True when an index file exists and each of them (when several differ in letter case only) is
// sound, holds exactly these tags and, for every record, its key in dBASE's order. Never
// changes a file.
bool productionIndexIsCurrent(const QString& dbfPath, const QList<MdxTagDef>& tags);

// Marks the table as having a production index (header byte 28) and each indexed field as
// indexed (byte 31 of its descriptor), clearing the marks of other fields; writes the header
// in place, and only when a mark changes.
void setProductionIndexFlags(const QString& dbfPath, const QList<MdxTagDef>& tags);

// The flags, then a rebuild when the index file is missing, damaged or out of date. Returns
// whether it rebuilt the index. The records are never touched; the leftovers of a rebuild that
// was killed go. An index that carries the
// table's fingerprint as it is now, and the tags and code page wanted, was last brought in step
// by this engine and nobody wrote the table since: its trees are not read. Any other index is
// compared with the records in full and, when current, given the fingerprint.
bool ensureProductionIndex(const QString& dbfPath, const QList<MdxTagDef>& tags);

// The tags the table's own index file declares, for writers that know no layout of the table:
// empty when its header flags no production index or there is no index file. Read from the tag
// table alone, so that a damaged tree is rebuilt. Throws kadmor::Error when the tag table is
// damaged or a tag is one this engine cannot keep true (an expression, descending, unique).
QList<MdxTagDef> declaredIndexTags(const QString& dbfPath);

// The index file of the table as it is on disk, for tools and tests.
mdx::IndexFile readProductionIndex(const QString& dbfPath);

} // namespace kadmor
