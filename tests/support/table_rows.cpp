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

void appendRow(kadmor::Table& table, const QStringList& values)
{
    table.append();
    qsizetype value = 0;
    for (int i = 0; i < table.fieldCount() && value < values.size(); ++i) {
        kadmor::Field& field = table.field(i);
        if (field.type() == kadmor::FieldType::Calculated)
            continue;
        const bool readOnly = field.readOnly();
        field.setReadOnly(false);
        field.setAsString(values[value++]);
        field.setReadOnly(readOnly);
    }
    table.post();
}

} // namespace testkit
