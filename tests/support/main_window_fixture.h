// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "installation.h"
#include "scripted_dialogs.h"
#include "shell/tform1.h"

#include <memory>

namespace testkit {

// What the tests of the main window set up and tear down around each test: a fresh installation,
// the scripted dialogs, and the window started on it.
class MainWindowFixture
{
  public:
    // Call from init(): a fresh installation and a fresh record of boxes.
    void setUp();
    // Call from cleanup(): the window goes first (its close may still show boxes), then every box
    // must have been expected and every queued answer asked for.
    void tearDown();
    // The window after its start-up and the title page's OK, on the word list with an empty record.
    void startOnWordList();

    std::unique_ptr<Installation> installation;
    std::unique_ptr<kadmor::ScriptedDialogs> dialogs;
    std::unique_ptr<TForm1> form;
};

} // namespace testkit
