// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace kadmor {
class Table;
}

namespace testkit {

// The fields of one row by name and the values written into them.
using RowValues = QList<std::pair<QString, QString>>;

// Appends a row with the values to the open table, as another program sharing the table would.
void appendRow(kadmor::Table& table, const RowValues& values);
// Appends a row with the values of the stored fields in layout order (calculated fields skipped,
// read-only ones written too), as the program that laid the table out would.
void appendRow(kadmor::Table& table, const QStringList& values);

} // namespace testkit
