// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "installation.h"
#include "scripted_dialogs.h"
#include "shell/tform1.h"

#include <QTemporaryDir>

#include <memory>

namespace testkit {

// What the tests of the main window set up and tear down around each test: an installation, the
// scripted dialogs, and the window started on it. By default every test has a fresh installation;
// tests that only read it may share one, and tests that zoom keep the zoom store to themselves.
class MainWindowFixture
{
  public:
    // Call from initTestCase(): the zoom store lives in a configuration folder of this test
    // program's own (XDG_CONFIG_HOME), and every setUp() sets it back to 100 %.
    void useOwnConfiguration();
    // Call from initTestCase(): one installation for all the tests, made here and kept by setUp()
    // and tearDown().
    void shareInstallation();

    // Call from init(): a fresh installation (unless shared) and a fresh record of boxes.
    void setUp();
    // Call from cleanup(): the window goes first (its close may still show boxes), then every box
    // must have been expected and every queued answer asked for.
    void tearDown();
    // The window after its start-up, on the title page (see testkit::startProgram).
    void startProgram();
    // The window after its start-up and the title page's OK, on the word list with an empty record.
    void startOnWordList();
    // The text typed into the word list's lesson field and Enter pressed there.
    void chooseLesson(const QString& typed);

    std::unique_ptr<Installation> installation;
    std::unique_ptr<kadmor::ScriptedDialogs> dialogs;
    std::unique_ptr<TForm1> form;

  private:
    std::unique_ptr<QTemporaryDir> m_configuration;
    bool m_sharedInstallation = false;
};

} // namespace testkit
