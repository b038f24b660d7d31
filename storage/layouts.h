// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kadmor {

// dBASE column types the engine reads; 'K' marks a calculated field that is never stored.
enum class FieldType : char {
    Character = 'C',
    Numeric = 'N',
    Float = 'F',
    Logical = 'L',
    Date = 'D',
    Calculated = 'K',
};

// How the tags of a table compare their keys.
enum class KeyOrder {
    Plain,   // stored characters as they are (LEK, ZVUK: padded numbers sort by value)
    Czech,   // Czech alphabetical order (CES, JMENO)
    Unicode, // language-neutral Unicode order (ANGL)
    Numeric, // by value (PRUM)
};

struct FieldSpec
{
    QString name;
    FieldType type = FieldType::Character;
    int width = 0;
    int decimals = 0;
    bool required = false;
    bool readOnly = false;
    int minValue = 0; // a range applies when minValue < maxValue
    int maxValue = 0;
};

struct TagSpec
{
    QString name;  // "lek", "angl", ...
    QString field; // the one field the tag orders on
    KeyOrder order = KeyOrder::Plain;
};

// How a table comes to be in its folder.
enum class Provision {
    // The installation lays it out; a missing one is an error that the start-up reports.
    Installed,
    // A table added after the seven (answer history, review state): opening it creates it, empty,
    // when it is missing, so that an existing installation gains it and the seven stay as they are.
    CreatedWhenMissing,
};

struct TableLayout
{
    QString fileName; // "kadmor.dbf"
    QList<FieldSpec> fields;
    QList<TagSpec> tags;
    QString initialTag; // the order a table opens in; empty for file order
    Provision provision = Provision::Installed;
};

// The layouts of the tables, built from the names in schema.h. A new table gets its names there
// and its layout here, beside the seven, with Provision::CreatedWhenMissing.
namespace layouts {
const TableLayout& words();        // kadmor.dbf, Table1
const TableLayout& grades();       // znamky.dbf, Table2
const TableLayout& phrases();      // fraze.dbf, Table3
const TableLayout& config();       // konfig.dbf, Table4
const TableLayout& wrongAnswers(); // chtab.dbf, Table5
const TableLayout& newWords();     // newwords.dbf, Table6
const TableLayout& newPhrases();   // newfraze.dbf, Table7

// The files of a table: its .dbf and, when it has tags, its production index (.mdx) of the same
// base name; what a blank copy from the templates folder replaces.
QStringList filesOf(const TableLayout& layout);
} // namespace layouts

} // namespace kadmor
