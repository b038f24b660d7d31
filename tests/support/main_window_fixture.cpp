// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window_fixture.h"

#include "running_program.h"
#include "typing.h"
#include "ui_word_list_page.h"
#include "util/zoom_store.h"

#include <QTest>

namespace testkit {

void MainWindowFixture::useOwnConfiguration()
{
    m_configuration = std::make_unique<QTemporaryDir>();
    QVERIFY(m_configuration->isValid());
    qputenv("XDG_CONFIG_HOME", m_configuration->path().toLocal8Bit());
}

void MainWindowFixture::shareInstallation()
{
    m_sharedInstallation = true;
    installation = std::make_unique<Installation>();
}

void MainWindowFixture::setUp()
{
    if (m_configuration)
        kadmor::createZoomStore(100);
    if (!m_sharedInstallation)
        installation = std::make_unique<Installation>();
    dialogs = std::make_unique<kadmor::ScriptedDialogs>();
}

void MainWindowFixture::tearDown()
{
    form.reset();
    const QString problems = dialogs->problems();
    dialogs.reset();
    if (!m_sharedInstallation)
        installation.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

void MainWindowFixture::startProgram()
{
    form = testkit::startProgram(*installation, *dialogs);
}

void MainWindowFixture::startOnWordList()
{
    form = testkit::startOnWordList(*installation, *dialogs);
}

void MainWindowFixture::chooseLesson(const QString& typed)
{
    QLineEdit* box = form->p2zaktabul->Edit2;
    testkit::focus(box);
    testkit::type(box, typed);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace testkit
