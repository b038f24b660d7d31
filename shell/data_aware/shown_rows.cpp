// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/data_aware/shown_rows.h"

#include "storage/table.h"

namespace kadmor {

namespace {

bool appending(const Table* table)
{
    return table->state() == TableState::Insert;
}

} // namespace

int shownRowCount(const Table* table)
{
    if (!table || !table->isOpen())
        return 0;
    return table->recordCount() + (appending(table) ? 1 : 0);
}

int shownCurrentRow(const Table* table)
{
    if (!table || !table->isOpen())
        return -1;
    return appending(table) ? table->recordCount() : table->currentRow();
}

bool isAppendedRow(const Table* table, int row)
{
    return table && table->isOpen() && appending(table) && row == table->recordCount();
}

} // namespace kadmor
