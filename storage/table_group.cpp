// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/table_group.h"

#include "base/error.h"
#include "storage/table.h"

#include <exception>

namespace kadmor::tables {

void close(const QList<Table*>& tables)
{
    for (Table* table : tables)
        table->close();
}

void open(const QList<Table*>& tables)
{
    for (Table* table : tables)
        table->open();
}

void openExclusively(const QList<Table*>& tables)
{
    for (qsizetype next = 0; next < tables.size(); ++next) {
        tables[next]->setExclusive(true);
        try {
            tables[next]->open();
        } catch (const Error&) {
            const std::exception_ptr failure = std::current_exception();
            for (qsizetype rest = next; rest < tables.size(); ++rest) {
                tables[rest]->setExclusive(false);
                try {
                    tables[rest]->open();
                } catch (const Error&) {
                    // stays closed; the error thrown is the first one
                }
            }
            std::rethrow_exception(failure);
        }
    }
}

void pack(const QList<Table*>& tables, const std::function<void(Table&)>& refused)
{
    for (Table* table : tables) {
        if (table->pack() != Table::PackDone)
            refused(*table);
    }
}

void openShared(const QList<Table*>& tables)
{
    for (Table* table : tables) {
        if (table->isOpen())
            table->close();
        table->setExclusive(false);
        table->open();
    }
}

} // namespace kadmor::tables
