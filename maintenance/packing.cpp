// SPDX-License-Identifier: GPL-3.0-or-later
// Packing the tables: deleted records go for good and the indexes are rebuilt.
#include "shell/tform1.h"

#include "base/error.h"

#include <exception>

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
    for (kadmor::Table* table : tables)
        table->close();
    for (kadmor::Table* table : tables) {
        table->setExclusive(true);
        try {
            table->open();
        } catch (const kadmor::Error&) {
            // Another program holds it: packing stops, and the tables not yet reopened are opened
            // for shared use again, so that the pages go on working.
            const std::exception_ptr failure = std::current_exception();
            for (qsizetype rest = tables.indexOf(table); rest < tables.size(); ++rest) {
                tables[rest]->setExclusive(false);
                try {
                    tables[rest]->open();
                } catch (const kadmor::Error&) {
                    // stays closed; the error shown is the first one
                }
            }
            std::rethrow_exception(failure);
        }
    }
    for (kadmor::Table* table : tables) {
        if (table->pack() != kadmor::Table::PackDone)
            dialogs().message(BoxType::Warning, QStringLiteral("Pakování je chybne") + table->tableName(), Buttons::Ok);
    }
    dialogs().beep();
    dialogs().message(BoxType::Information, QStringLiteral("Tabulky byly zpakovány, zhuštěny."), Buttons::Ok);
}
