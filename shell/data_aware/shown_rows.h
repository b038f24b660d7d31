// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kadmor {

class Table;

// The rows that bound controls show: the table's current view and, while a record is being
// appended, that new record as one more row after the last, where the cursor then stands.
// A closed or missing table shows no rows.
int shownRowCount(const Table* table);
int shownCurrentRow(const Table* table); // -1 when nothing is shown
bool isAppendedRow(const Table* table, int row);

} // namespace kadmor
