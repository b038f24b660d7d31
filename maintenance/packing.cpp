// SPDX-License-Identifier: GPL-3.0-or-later
// Packing the tables: deleted records go for good and the indexes are rebuilt.
#include "shell/tform1.h"

#include "storage/table_group.h"

namespace {

using kadmor::BoxType;
using kadmor::Buttons;
using kadmor::dialogs;

} // namespace

// Every other user must have left the tables: they are held exclusively for the rest of the run,
// which the configuration page's OK ends.
void TForm1::SpeedButton10Click()
{
    const QList<kadmor::Table*> tables = {Table1, Table2, Table3, Table4};
    kadmor::tables::close(tables);
    // Another program holding one stops the packing; the pages go on working on the rest.
    kadmor::tables::openExclusively(tables);
    kadmor::tables::pack(tables, [](kadmor::Table& table) {
        dialogs().message(BoxType::Warning, QStringLiteral("Pakování je chybne") + table.tableName(), Buttons::Ok);
    });
    dialogs().beep();
    dialogs().message(BoxType::Information, QStringLiteral("Tabulky byly zpakovány, zhuštěny."), Buttons::Ok);
}
