// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/mdx/tag_def.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Small dBASE tables for the index tests, written byte by byte (code page 1250, language byte
// 0xC8) so that each test controls exactly what the records hold.
namespace mdxtest {

struct Column
{
    QByteArray name; // as stored, code page 1250
    char type = 'C';
    int width = 0;
    int decimals = 0;
};

struct Row
{
    QList<QByteArray> values; // one per column, stored bytes; padded or right-aligned when written
    bool deleted = false;
};

struct TableSpec
{
    QString fileName;
    QList<Column> columns;
    QList<kadmor::MdxTagDef> tags;
};

TableSpec wordTable();   // kadmor.dbf: LEK, ANGL, CES, OBR, ZVUK; tags lek, angl, ces
TableSpec phraseTable(); // fraze.dbf: LEK, ANGL, CES, ZVUK; tags lek, zvuk
TableSpec gradeTable();  // znamky.dbf: POR, JMENO, 28 grade slots, CPZ, PRUM; tags jmeno, prum

QByteArray cp1250(const QString& text);

// Count records of made-up Czech words and numbers: duplicates, blanks, negative numbers,
// zero, decimals; every seventh record deleted.
QList<Row> generatedRows(const TableSpec& spec, int count, quint32 seed);

QByteArray dbfBytes(const QList<Column>& columns, const QList<Row>& rows);
QString writeTable(const QString& folder, const TableSpec& spec, const QList<Row>& rows); // returns the path

// The TDbf checker's arguments naming the spec's tags: "lek=LEK" ...
QStringList tagArguments(const TableSpec& spec);

} // namespace mdxtest
