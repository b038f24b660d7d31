// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kadmor {

enum class BoxType { Warning, Error, Information, Confirmation, Plain };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// Every message box, input box and beep of the program goes through the installed Dialogs,
// so that tests can script the answers and check the exact texts.
class Dialogs
{
  public:
    virtual ~Dialogs() = default;
    virtual Answer message(BoxType type, const QString& text, Buttons buttons) = 0;
    // The typed text, or the empty text when the box is cancelled.
    virtual QString input(const QString& caption, const QString& prompt, const QString& proposal) = 0;
    virtual void beep() = 0;
    // The password dialog Thesl: the text entered when it closed (empty after cancel).
    virtual QString password() = 0;
};

// The installed implementation; the program installs the Qt one, tests a scripted one.
// Asking for it while nothing is installed is a programming error and aborts the program.
Dialogs& dialogs();
void installDialogs(Dialogs* implementation);
// The installed implementation, or nullptr; for those that install one for a while and restore.
Dialogs* installedDialogs() noexcept;

} // namespace kadmor
