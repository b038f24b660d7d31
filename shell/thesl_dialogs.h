// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/qt_dialogs.h"

class Thesl;

namespace kadmor {

// The program's dialogs with the password dialog Thesl that program entry creates.
class TheslDialogs : public QtDialogs
{
  public:
    explicit TheslDialogs(Thesl& thesl) : m_thesl(thesl) {}
    QString password() override;

  private:
    Thesl& m_thesl;
};

} // namespace kadmor
