// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_rows.h"

#include "storage/table.h"

namespace testkit {

void appendRow(kadmor::Table& table, const RowValues& values)
{
    table.append();
    for (const auto& [field, value] : values)
        table.fieldByName(field).setAsString(value);
    table.post();
}

} // namespace testkit
