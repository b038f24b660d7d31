// SPDX-License-Identifier: GPL-3.0-or-later
// The testing pages' sounds in the real main window: once with the test run's sound server, once
// without any sound device.
#include "grade_book_on_disk.h"
#include "installation.h"
#include "main_window_fixture.h"
#include "running_program.h"
#include "scripted_dialogs.h"
#include "test_names.h"
#include "test_pupil.h"
#include "typing.h"

#include "shell/tform1.h"
#include "ui_test_page.h"
#include "ui_word_list_page.h"
#include "util/tools.h"
#include "vocabulary/sound/media_player.h"

#include <QStackedWidget>
#include <QTest>

using kadmor::MediaPlayer;

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
    void anOralTest();

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
    QCOMPARE(player->player().fileName(), sound(played));
    if (!kadmor::soundDevicePresent()) {
        QCOMPARE(m_fixture.dialogs->takeEvents(), Events{Event::message(BoxType::Error, noOutput, Buttons::Ok)});
        QVERIFY(!player->player().isOpen());
        return;
    }
    QCOMPARE(player->player().mode(), MediaPlayer::Mode::Playing);
    QTRY_VERIFY_WITH_TIMEOUT(!player->player().isOpen(), soundTimeout);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

// Ten words of a lesson spoken, not shown; one of them has no sound file. Without a sound device
// nothing is played and no box is shown, and the words are still asked and judged.
void TestTestingSound::anOralTest()
{
    const QStringList sounds = {"cat", "dog", "fish", "bird", "apple", "bag", "ball", "bear", "bed"};
    QList<testkit::Word> words;
    for (const QString& name : sounds)
        words.append({QStringLiteral("  9"), name, QStringLiteral("č-") + name, name});
    words.append(
        {QStringLiteral("  9"), QStringLiteral("unheard"), QStringLiteral("neslyšený"), QStringLiteral("missing")});
    testkit::writeWords(m_fixture.installation->dataFolder(), words);
    enterGradeBook();
    m_fixture.form->Timer1->setInterval(20);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn9"));
    Ui::TestPage& page = *m_fixture.form->p6zkouseni;
    page.Edit4->setText(QStringLiteral("9"));
    testkit::focus(page.Edit8);
    page.Edit8->setText(QStringLiteral("10"));
    QTest::mouseClick(page.CheckBox4, Qt::LeftButton, Qt::NoModifier, QPoint(8, page.CheckBox4->height() / 2));
    QVERIFY(page.CheckBox1->isChecked() && page.CheckBox4->isChecked() && !page.CheckBox3->isChecked());

    QStringList played;
    testkit::TestPupil pupil(*m_fixture.form, [&](const QString& word, const QString& czech) {
        played.append(page.MediaPlayer4->player().fileName());
        return word == QStringLiteral("unheard") ? QStringLiteral("nevím") : czech; // its sound is missing
    });
    const bool device = kadmor::soundDevicePresent();
    if (device)
        m_fixture.dialogs->queueAnswer(Answer::Ok); // the missing sound, before its wrong answer
    m_fixture.dialogs->queueAnswer(Answer::No);     // keep the earlier wrong words
    m_fixture.dialogs->queueAnswer(Answer::Yes);    // the grade
    testkit::click(*m_fixture.form, QStringLiteral("Button6"));
    QCOMPARE(pupil.asked.size(), 10);
    QCOMPARE(pupil.prompts, QStringList(10, QString()));
    const Events events = m_fixture.dialogs->takeEvents();
    const Event handOver =
        Event::message(BoxType::Confirmation, QStringLiteral("Zapsat známku do deníčku?"), Buttons::YesNo);
    const Event offer =
        Event::message(BoxType::Confirmation,
                       QStringLiteral("Přepsat existující tabulku chybných odpovědí \"chtab.dbf\"?"), Buttons::YesNo);
    const Event missing = Event::message(
        BoxType::Error, QStringLiteral("Zvukový soubor „%1“ neexistuje.").arg(sound(QStringLiteral("missing"))),
        Buttons::Ok);
    QCOMPARE(events.count(offer), 1);
    QCOMPARE(events.count(missing), device ? 1 : 0);
    QCOMPARE(events.mid(events.size() - 2), (Events{Event::beep(), handOver}));
    QCOMPARE(events.size(), device ? 5 : 3);
    QCOMPARE(page.Edit11->text(), QStringLiteral("9"));
    QCOMPARE(page.Edit13->text(), QStringLiteral("1")); // 90 %
    if (device) {
        // Each word's own sound was played before it was answered (the feedback sounds come after).
        for (int i = 0; i < pupil.asked.size(); ++i) {
            const QString expected =
                pupil.asked[i] == QStringLiteral("unheard") ? sound(QStringLiteral("missing")) : sound(pupil.asked[i]);
            QCOMPARE(played[i], expected);
        }
    } else {
        QCOMPARE(played, QStringList(10, QString()));
    }
    QVERIFY(!page.MediaPlayer4->player().isOpen());
}

QTEST_MAIN(TestTestingSound)
#include "tst_sound.moc"
