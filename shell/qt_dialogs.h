// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/dialogs.h"

namespace kadmor {

// The program's dialogs: modal QMessageBox and QInputDialog over the active window, with Czech
// buttons, and the desktop's beep.
class QtDialogs : public Dialogs
{
  public:
    Answer message(BoxType type, const QString& text, Buttons buttons) override;
    QString input(const QString& caption, const QString& prompt, const QString& proposal) override;
    void beep() override;
};

} // namespace kadmor
