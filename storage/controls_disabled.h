// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/table.h"

namespace kadmor {

// A table's bound controls stay suspended while it lives, also when the walk through the table
// fails, so the grids show the walk's end and not every step.
class ControlsDisabled
{
  public:
    explicit ControlsDisabled(Table& table) : m_table(table) { m_table.disableControls(); }
    ~ControlsDisabled() { m_table.enableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

  private:
    Table& m_table;
};

} // namespace kadmor
