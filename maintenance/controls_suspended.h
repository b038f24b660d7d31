// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/table.h"

namespace kadmor {

// The grid does not follow a walk through its table, and follows it again however the walk ends.
class ControlsSuspended
{
  public:
    explicit ControlsSuspended(Table& table) : m_table(table) { m_table.disableControls(); }
    ~ControlsSuspended() { m_table.enableControls(); }
    ControlsSuspended(const ControlsSuspended&) = delete;
    ControlsSuspended& operator=(const ControlsSuspended&) = delete;

  private:
    Table& m_table;
};

} // namespace kadmor
