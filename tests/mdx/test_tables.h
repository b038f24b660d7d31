// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/layouts.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Tables for the index tests, written by the table engine in the program's own layouts.
namespace mdxtest {

// A layout beyond the program's own, for numeric keys of every kind: negative, zero, blank,
// decimals (CISLO N(8,3), tag "cislo"; TEXT C(20), tag "text").
const kadmor::TableLayout& numbersLayout();

// The layout whose file has this base name: "kadmor", "fraze", "znamky" or "cisla".
const kadmor::TableLayout& layoutNamed(const QString& baseName);

// Creates the layout's table in folder and appends count records of made-up Czech words and
// numbers that fit the fields (duplicates and blanks among them); deletes every seventh.
// Returns the table's path.
QString createFilledTable(const QString& folder, const kadmor::TableLayout& layout, int count, quint32 seed);

QByteArray cp1250(const QString& text);

// The TDbf checker's arguments naming the layout's tags: "lek=LEK" ...
QStringList tagArguments(const kadmor::TableLayout& layout);

} // namespace mdxtest
