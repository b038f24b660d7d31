// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "installation.h"
#include "typing.h"

#include "scripted_dialogs.h"
#include "shell/tform1.h"

#include <memory>

class QWidget;

namespace testkit {

// The main window created on an installation, after its start-up ran. Without a sound device the
// start-up's sound-card warning is answered and taken from the dialogs' record.
std::unique_ptr<TForm1> startProgram(const Installation& installation, kadmor::ScriptedDialogs& dialogs);
// As startProgram, then the title page's OK: the word list is shown and the record is empty.
std::unique_ptr<TForm1> startOnWordList(const Installation& installation, kadmor::ScriptedDialogs& dialogs);

// Clicks the named button of the window; it must be on the shown page.
void click(QWidget& window, const QString& name);
// Gives the widget the keyboard focus and waits until it has it.
void focus(QWidget* widget);

} // namespace testkit
