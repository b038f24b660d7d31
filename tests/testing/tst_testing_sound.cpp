// SPDX-License-Identifier: GPL-3.0-or-later
// The testing pages' sounds in the real main window: once with the test run's sound server, once
// without any sound device.
#include "grade_book_on_disk.h"
#include "installation.h"
#include "main_window_fixture.h"
#include "running_program.h"
#include "scripted_dialogs.h"

#include "shell/tform1.h"
#include "ui_word_list_page.h"
#include "util/tools.h"
#include "vocabulary/sound/media_player.h"

#include <QStackedWidget>
#include <QTest>

using kadmor::Answer;
using kadmor::BoxType;
using kadmor::Buttons;
using kadmor::MediaPlayer;
using Event = kadmor::ScriptedDialogs::Event;
using Events = QList<Event>;

namespace {

constexpr int soundTimeout = 20'000;
const QString noOutput = QStringLiteral("Není k dispozici žádné zvukové zařízení pro přehrávání.");

} // namespace

class TestTestingSound : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void difficultWordsAreSpoken_data();
    void difficultWordsAreSpoken();

  private:
    void enterGradeBook();
    QString sound(const QString& name) const
    {
        return m_fixture.installation->folder() + QStringLiteral("/sounds/") + name + QStringLiteral(".wav");
    }

    testkit::MainWindowFixture m_fixture;
};

void TestTestingSound::init()
{
    m_fixture.setUp();
}

void TestTestingSound::cleanup()
{
    m_fixture.tearDown();
}

void TestTestingSound::enterGradeBook()
{
    m_fixture.startOnWordList();
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn8"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{Event::password()});
}

void TestTestingSound::difficultWordsAreSpoken_data()
{
    QTest::addColumn<QString>("zvuk");
    QTest::addColumn<QString>("played");
    QTest::newRow("the word's sound") << "dog"
                                      << "dog";
    QTest::newRow("a word without ZVUK") << ""
                                         << "nosound";
}

void TestTestingSound::difficultWordsAreSpoken()
{
    QFETCH(QString, zvuk);
    QFETCH(QString, played);
    enterGradeBook();
    kadmor::Table* wrong = m_fixture.form->Table5;
    wrong->append();
    wrong->fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("dog"));
    wrong->fieldByName(QStringLiteral("CESK")).setAsString(QStringLiteral("pes"));
    wrong->fieldByName(QStringLiteral("ZVUK")).setAsString(zvuk);
    wrong->post();
    testkit::click(*m_fixture.form, QStringLiteral("Button8"));
    MediaPlayer* player = m_fixture.form->p2zaktabul->MediaPlayer1;
    if (!kadmor::soundDevicePresent())
        m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn24"));
    QCOMPARE(player->fileName(), sound(played));
    if (!kadmor::soundDevicePresent()) {
        QCOMPARE(m_fixture.dialogs->takeEvents(), Events{Event::message(BoxType::Error, noOutput, Buttons::Ok)});
        QVERIFY(!player->isOpen());
        return;
    }
    QCOMPARE(player->mode(), MediaPlayer::Mode::Playing);
    QTRY_VERIFY_WITH_TIMEOUT(!player->isOpen(), soundTimeout);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

QTEST_MAIN(TestTestingSound)
#include "tst_testing_sound.moc"
