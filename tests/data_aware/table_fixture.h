// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/layouts.h"
#include "storage/table.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace kadmor::test {

// A real table file in a temporary folder, written through the engine and opened again.
class TableFixture
{
  public:
    // rows: the values of the stored fields in layout order (read-only fields included).
    Table& open(const TableLayout& layout, const QList<QStringList>& rows);
    Table& table() { return *m_table; }
    QString folder() const { return m_dir.path(); }
    // Opens the same file with a second table object, as another part of the program would.
    std::unique_ptr<Table> reopen() const;

  private:
    QTemporaryDir m_dir;
    const TableLayout* m_layout = nullptr;
    std::unique_ptr<Table> m_table;
};

// Words of lesson 1, "w00" ... with Czech "s00" ...; in the opening order (by ANGL) row i holds word i.
QList<QStringList> words(int count);

// The three columns' rows of a configuration table: language, data folder, password.
QList<QStringList> configRows();

} // namespace kadmor::test
