// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window_fixture.h"

#include "running_program.h"

#include <QTest>

namespace testkit {

void MainWindowFixture::setUp()
{
    installation = std::make_unique<Installation>();
    dialogs = std::make_unique<kadmor::ScriptedDialogs>();
}

void MainWindowFixture::tearDown()
{
    form.reset();
    const QString problems = dialogs->problems();
    dialogs.reset();
    installation.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

void MainWindowFixture::startOnWordList()
{
    form = testkit::startOnWordList(*installation, *dialogs);
}

} // namespace testkit
