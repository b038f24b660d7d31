// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/table.h"

namespace kadmor {

// A table that a grid shows, walked by a procedure: the grid's updates are suspended until the walk
// ends, also when it fails.
class SuspendedDisplay
{
  public:
    explicit SuspendedDisplay(Table* table) : m_table(table) { m_table->disableControls(); }
    ~SuspendedDisplay() { m_table->enableControls(); }
    SuspendedDisplay(const SuspendedDisplay&) = delete;
    SuspendedDisplay& operator=(const SuspendedDisplay&) = delete;

  private:
    Table* m_table;
};

} // namespace kadmor
