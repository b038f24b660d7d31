// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/mdx/dbf_table.h"
#include "storage/mdx/index_file.h"
#include "storage/mdx/tag_def.h"

#include <QList>

// What a table's production index must hold, computed from its records.
namespace kadmor::mdx {

// Every record's key for each tag, deleted records included, in dBASE's order: keys by
// compareKeys, equal keys by record number. Throws kadmor::Error when a tag names a field the
// table lacks or a field that cannot hold its key type.
IndexFile expectedIndex(const DbfTable& table, const QList<MdxTagDef>& tags, const QString& tableName);

// The same tags (names and fields whatever their letter case, in any order) with the same
// entries in order; equal keys may come in any record order, and numeric keys compare as
// compareKeys does, so that files other programs keep in step count as current.
bool sameIndex(const IndexFile& actual, const IndexFile& expected);

// The table's header (table.bytes up to headerLength) with the production-index flag and the
// indexed-field flags set for these tags.
QByteArray headerWithIndexFlags(const DbfTable& table, const QList<MdxTagDef>& tags);

} // namespace kadmor::mdx
