// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <functional>

namespace kadmor {
class Table;
} // namespace kadmor

// What is done to several tables at once, one after another in the order given: closing them,
// holding them exclusively, packing them and opening them for shared use again.
namespace kadmor::tables {

// Closes each table; a pending edit is stored first.
void close(const QList<Table*>& tables);
// Opens each table; the first that cannot be opened ends it with its error.
void open(const QList<Table*>& tables);
// Opens each closed table for exclusive use. When one cannot be opened so, it and every one after
// it are opened for shared use again (one that fails stays closed), so that the pages go on
// working, and its error is thrown.
void openExclusively(const QList<Table*>& tables);
// Packs each table, which must be open for exclusive use; refused(table) for each one the engine
// could not pack, before the next is packed.
void pack(const QList<Table*>& tables, const std::function<void(Table&)>& refused);
// Each table back to shared use: closed when open, then opened again.
void openShared(const QList<Table*>& tables);

} // namespace kadmor::tables
