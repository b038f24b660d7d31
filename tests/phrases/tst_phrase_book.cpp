// SPDX-License-Identifier: GPL-3.0-or-later
// The phrase book in the real main window, each case on its own fresh installation: listing,
// hearing and recording phrases, the editor with its sound numbers, the copies into the
// new-phrases table and deleting a phrase. What reaches the disk is read back with an independent
// dBASE reader. Hearing and recording run against the test run's null sound server; the second run
// without any sound device takes the refusals.
#include "installation.h"
#include "main_window_fixture.h"
#include "records_on_disk.h"
#include "running_program.h"
#include "table_rows.h"
#include "test_names.h"

#include "scripted_dialogs.h"
#include "shell/tform1.h"
#include "storage/layouts.h"
#include "storage/table.h"
#include "ui_new_words_page.h"
#include "ui_phrase_edit_page.h"
#include "ui_phrase_page.h"
#include "ui_word_list_page.h"
#include "util/tools.h"
#include "vocabulary/sound/media_player.h"
#include "vocabulary/sound/recorder.h"
#include "vocabulary/sound/wave_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

using kadmor::MediaPlayer;

namespace {

// The end of a play is reported seconds late on a sound server.
constexpr int soundTimeout = 20'000;

const QStringList phraseFields = {"LEK", "ANGL", "CES", "ZVUK"};
const QStringList newPhraseFields = {"LE", "ANG", "CE", "ZVUK"};
const Event beep = Event::beep();
const QString noOutput = QStringLiteral("Není k dispozici žádné zvukové zařízení pro přehrávání.");
const QString refusal = QStringLiteral("Editovat může pouze oprávněná osoba!");

Event errorBox(const QString& text)
{
    return Event::message(BoxType::Error, text, Buttons::Ok);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void clickPlayerButton(MediaPlayer* player, const QString& name)
{
    auto* button = player->findChild<QAbstractButton*>(name);
    QVERIFY2(button != nullptr && button->isVisible() && button->isEnabled(), qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

// The rows the phrase table shows, each as its four fields.
Records shownPhrases(kadmor::Table& table)
{
    Records rows;
    for (int row = 0; row < table.recordCount(); ++row) {
        QStringList fields;
        for (int field = 0; field < 4; ++field)
            fields << table.text(row, field);
        rows << fields;
    }
    return rows;
}

} // namespace

class TestPhraseBook : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void thePhrasePageFollowsTheLesson();
    void listeningPlaysThePhrasesSound_data();
    void listeningPlaysThePhrasesSound();
    void ownPronunciation();
    void theEditorIsGuarded();
    void newPhraseNumber_data();
    void newPhraseNumber();
    void highestNameThatIsNoNumber();
    void newPhraseTwiceStoresOnlyLessonAndSound();
    void lessonFieldIsPadded();
    void copiesIntoTheNewPhrases_data();
    void copiesIntoTheNewPhrases();
    void navigatorMovesDoNotCopy();
    void cancelAfterNewPhraseListsAllBySound();
    void okWithAllLessonsShown();
    void recordingAPhrase();
    void recordingAgainStartsOver();
    void deletingAPhrase_data();
    void deletingAPhrase();

  private:
    void start();
    void openPhrases();
    void openEditor();
    void selectPhrase(const QString& sound);
    // Replaces the phrase table's records before the program starts.
    void setPhrasesOnDisk(const Records& phrases);
    QString sound(const QString& name) const;
    Records phrasesOnDisk() const;
    Records newPhrasesOnDisk() const;
    Ui::PhrasePage& page() { return *m_fixture.form->p7fraze; }
    Ui::PhraseEditPage& editor() { return *m_fixture.form->p8editfraze; }

    testkit::MainWindowFixture m_fixture;
};

void TestPhraseBook::init()
{
    m_fixture.setUp();
}

void TestPhraseBook::cleanup()
{
    m_fixture.tearDown();
}

void TestPhraseBook::start()
{
    m_fixture.startOnWordList();
}

void TestPhraseBook::openPhrases()
{
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn15"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p7frazeIndex));
}

// "&edit" as the teacher, who types the password the first time.
void TestPhraseBook::openEditor()
{
    if (m_fixture.form->enteredPassword.isEmpty())
        m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn18"));
    m_fixture.dialogs->takeEvents();
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p8editfrazeIndex));
    QVERIFY(!m_fixture.form->Timer1->isActive());
}

void TestPhraseBook::selectPhrase(const QString& soundName)
{
    kadmor::Table& phrases = *m_fixture.form->Table3;
    for (phrases.first(); !phrases.eof(); phrases.next()) {
        if (phrases.fieldByName(QStringLiteral("ZVUK")).asString() == soundName)
            return;
    }
    QFAIL(qPrintable(QStringLiteral("no phrase ") + soundName));
}

void TestPhraseBook::setPhrasesOnDisk(const Records& phrases)
{
    kadmor::Table table(kadmor::layouts::phrases());
    table.setDatabaseName(m_fixture.installation->dataFolder());
    table.setTableName(QStringLiteral("fraze.dbf"));
    table.setExclusive(true);
    table.open();
    table.emptyTable();
    for (const QStringList& phrase : phrases) {
        testkit::RowValues values;
        for (int i = 0; i < phraseFields.size(); ++i)
            values.append({phraseFields[i], phrase.value(i)});
        testkit::appendRow(table, values);
    }
}

QString TestPhraseBook::sound(const QString& name) const
{
    return m_fixture.installation->folder() + QStringLiteral("/sounds/") + name + QStringLiteral(".wav");
}

Records TestPhraseBook::phrasesOnDisk() const
{
    return testkit::recordsOnDisk(m_fixture.installation->dataFolder() + QStringLiteral("/fraze.dbf"), phraseFields);
}

Records TestPhraseBook::newPhrasesOnDisk() const
{
    return testkit::recordsOnDisk(m_fixture.installation->dataFolder() + QStringLiteral("/newfraze.dbf"),
                                  newPhraseFields);
}

// The list shows the current lesson's phrases in lesson order; opening it closes the word list's
// own recorder.
void TestPhraseBook::thePhrasePageFollowsTheLesson()
{
    start();
    m_fixture.chooseLesson(QStringLiteral("2"));
    if (kadmor::soundDevicePresent()) { // without one the recorder cannot open
        testkit::click(*m_fixture.form, QStringLiteral("Image4"));
        QVERIFY(m_fixture.form->ownRecorder->isOpen());
    }
    openPhrases();
    QVERIFY(!m_fixture.form->ownRecorder->isOpen());
    QVERIFY(!m_fixture.form->p2zaktabul->MediaPlayer3->player().isOpen());
    QCOMPARE(shownPhrases(*m_fixture.form->Table3),
             (Records{{"  2", "This is my house.", "To je můj dům.", "11111115"},
                      {"  2", "Open the door, please.", "Otevři prosím dveře.", "11111116"},
                      {"  2", "Where is my book?", "Kde je moje kniha?", "11111117"}}));
    m_fixture.form->Table3->next();
    QCOMPARE(m_fixture.form->status(), QStringLiteral("Záznam číslo: %1").arg(m_fixture.form->Table3->recNo()));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn16"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestPhraseBook::listeningPlaysThePhrasesSound_data()
{
    QTest::addColumn<QString>("zvuk");
    QTest::addColumn<QString>("played");
    QTest::newRow("the phrase's sound") << QStringLiteral("11111113") << QStringLiteral("11111113");
    QTest::newRow("a phrase without a sound name") << QString() << QStringLiteral("nosound");
}

void TestPhraseBook::listeningPlaysThePhrasesSound()
{
    QFETCH(QString, zvuk);
    QFETCH(QString, played);
    setPhrasesOnDisk({{"  1", "I have got a dog.", "Mám psa.", zvuk}});
    start();
    openPhrases();
    MediaPlayer* player = page().MediaPlayer7;
    QVERIFY(player->isHidden());
    if (!kadmor::soundDevicePresent())
        m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn19"));
    QCOMPARE(player->player().fileName(), sound(played));
    QVERIFY(page().DBGrid3->hasFocus());
    if (!kadmor::soundDevicePresent()) {
        QCOMPARE(m_fixture.dialogs->takeEvents(), Events{errorBox(noOutput)});
        QVERIFY(!player->player().isOpen());
        return;
    }
    QCOMPARE(player->player().mode(), MediaPlayer::Mode::Playing);
    QTRY_VERIFY_WITH_TIMEOUT(!player->player().isOpen(), soundTimeout); // closed at the end of the play
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

// The pupil records, stops and plays back; the take is never saved, and the next use starts afresh.
void TestPhraseBook::ownPronunciation()
{
    start();
    openPhrases();
    MediaPlayer* own = page().MediaPlayer5;
    const QString file = sound(QStringLiteral("mujzvuk"));
    if (!kadmor::soundDevicePresent()) {
        m_fixture.dialogs->queueAnswer(Answer::Ok);
        testkit::click(*m_fixture.form, QStringLiteral("Image5"));
        QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, errorBox(noOutput + QStringLiteral(" \"") + file +
                                                                         QStringLiteral("\" \rChyba zápisu! "))}));
        QVERIFY(!m_fixture.form->phraseOwnRecorder->isOpen());
        QCOMPARE(readFile(file), kadmor::wave::recordingHeader());
        return;
    }
    testkit::click(*m_fixture.form, QStringLiteral("Image5"));
    QVERIFY(m_fixture.form->phraseOwnRecorder->isOpen());
    QCOMPARE(own->player().fileName(), file);
    QCOMPARE(readFile(file), kadmor::wave::recordingHeader());
    QVERIFY(page().DBGrid3->hasFocus());
    clickPlayerButton(own, QStringLiteral("record"));
    QTRY_VERIFY_WITH_TIMEOUT(own->player().length() >= 300, soundTimeout);
    clickPlayerButton(own, QStringLiteral("stop"));
    clickPlayerButton(own, QStringLiteral("play"));
    QCOMPARE(own->player().mode(), MediaPlayer::Mode::Playing);
    QTRY_COMPARE_WITH_TIMEOUT(own->player().mode(), MediaPlayer::Mode::Stopped, soundTimeout);

    testkit::click(*m_fixture.form, QStringLiteral("Image5"));
    QVERIFY(m_fixture.form->phraseOwnRecorder->isOpen());
    QCOMPARE(own->player().length(), 0);
    QCOMPARE(readFile(file), kadmor::wave::recordingHeader());

    // Leaving the page closes the player but keeps its flag.
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn16"));
    QVERIFY(!own->player().isOpen());
    QVERIFY(m_fixture.form->phraseOwnRecorder->isOpen());
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestPhraseBook::theEditorIsGuarded()
{
    start();
    openPhrases();
    m_fixture.form->Timer1->start();
    m_fixture.dialogs->queuePassword(QStringLiteral("ZLODEJ"));
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn18"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{Event::password(), beep, Event::message(BoxType::Warning, refusal, Buttons::Ok)}));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p7frazeIndex));
    QVERIFY(m_fixture.form->Timer1->isActive());

    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn22"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, Event::message(BoxType::Warning, refusal, Buttons::Ok)}));
    QCOMPARE(phrasesOnDisk().size(), 12);
}

void TestPhraseBook::newPhraseNumber_data()
{
    QTest::addColumn<Records>("phrases");
    QTest::addColumn<QString>("number");
    QTest::newRow("an empty table") << Records{} << QStringLiteral("11111112");
    QTest::newRow("phrases without sound names")
        << Records{{"  1", "a", "a", ""}, {"  1", "b", "b", ""}} << QStringLiteral("11111112");
    QTest::newRow("after 11111112 and 11111113 of other lessons")
        << Records{{"  3", "a", "a", "11111113"}, {"  7", "b", "b", "11111112"}} << QStringLiteral("11111114");
    QTest::newRow("9 is the highest in text order")
        << Records{{"  1", "a", "a", "11111113"}, {"  1", "b", "b", "9"}} << QStringLiteral("10");
}

// "&Nová fráze", the phrase typed, "&OK": the phrase is stored with the current lesson and the next
// number, and the list is back in the lesson's range and order.
void TestPhraseBook::newPhraseNumber()
{
    QFETCH(Records, phrases);
    QFETCH(QString, number);
    setPhrasesOnDisk(phrases);
    start();
    m_fixture.chooseLesson(QStringLiteral("1"));
    openPhrases();
    openEditor();
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    QCOMPARE(editor().DBEdit38->text(), number);
    QVERIFY(editor().DBEdit38->isReadOnly());
    QVERIFY(editor().DBEdit39->hasFocus());
    QCOMPARE(editor().DBEdit39->text(), QStringLiteral("  1"));
    QCOMPARE(m_fixture.form->Table3->indexName(), QStringLiteral("zvuk"));
    testkit::focus(editor().DBEdit11);
    testkit::type(editor().DBEdit11, QStringLiteral("Good morning."));
    testkit::focus(editor().DBEdit16);
    testkit::type(editor().DBEdit16, QStringLiteral("Dobré ráno."));
    testkit::click(*m_fixture.form, QStringLiteral("Button7"));

    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p7frazeIndex));
    QVERIFY(m_fixture.form->Timer1->isActive());
    QCOMPARE(m_fixture.form->Table3->indexName(), QStringLiteral("lek"));
    const Records stored = phrasesOnDisk();
    QCOMPARE(stored.size(), phrases.size() + 1);
    QCOMPARE(stored.last(), (QStringList{"  1", "Good morning.", "Dobré ráno.", number}));
    for (const QStringList& row : shownPhrases(*m_fixture.form->Table3))
        QCOMPARE(row.value(0), QStringLiteral("  1"));
}

// A phrase taken over from elsewhere with another kind of sound name: the conversion error, no new
// phrase, and the list stays unrestricted in sound order.
void TestPhraseBook::highestNameThatIsNoNumber()
{
    setPhrasesOnDisk({{"  1", "a", "a", "11111112"}, {"  2", "b", "b", "cat"}});
    start();
    openPhrases();
    openEditor();
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{errorBox(QStringLiteral("„cat“ není platné celé číslo."))});
    QVERIFY(!m_fixture.form->Table3->isEditing());
    QCOMPARE(m_fixture.form->Table3->recordCount(), 2);
    QCOMPARE(m_fixture.form->Table3->indexName(), QStringLiteral("zvuk"));
    testkit::click(*m_fixture.form, QStringLiteral("Button7"));
    QCOMPARE(phrasesOnDisk().size(), 2);
}

void TestPhraseBook::newPhraseTwiceStoresOnlyLessonAndSound()
{
    start();
    m_fixture.chooseLesson(QStringLiteral("4"));
    openPhrases();
    openEditor();
    m_fixture.form->p11novaslova->CheckBox5->setChecked(false);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    QCOMPARE(editor().DBEdit38->text(), QStringLiteral("11111125"));
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton8"));
    const Records stored = phrasesOnDisk();
    QCOMPARE(stored.size(), 13);
    QCOMPARE(stored.last(), (QStringList{"  4", "", "", "11111124"}));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestPhraseBook::lessonFieldIsPadded()
{
    start();
    openPhrases();
    openEditor();
    m_fixture.form->p11novaslova->CheckBox5->setChecked(false);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    testkit::focus(editor().DBEdit39);
    editor().DBEdit39->selectAll();
    testkit::type(editor().DBEdit39, QStringLiteral("12"));
    QTest::keyClick(editor().DBEdit39, Qt::Key_Tab);
    QCOMPARE(editor().DBEdit39->text(), QStringLiteral(" 12"));
    testkit::type(editor().DBEdit11, QStringLiteral("Twelve."));
    testkit::click(*m_fixture.form, QStringLiteral("Button7"));
    QCOMPARE(phrasesOnDisk().last(), (QStringList{" 12", "Twelve.", "", "11111124"}));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestPhraseBook::copiesIntoTheNewPhrases_data()
{
    QTest::addColumn<bool>("collecting");
    QTest::newRow("připisovat ticked") << true;
    QTest::newRow("připisovat not ticked") << false;
}

// A phrase corrected and stored by "&OK", then a new one stored by "&Nová fráze" and the same one
// stored again by "&OK": each store is a row of its own.
void TestPhraseBook::copiesIntoTheNewPhrases()
{
    QFETCH(bool, collecting);
    start();
    openPhrases();
    selectPhrase(QStringLiteral("11111113"));
    m_fixture.form->p11novaslova->CheckBox5->setChecked(collecting);
    openEditor();
    testkit::focus(editor().DBEdit16);
    editor().DBEdit16->selectAll();
    testkit::type(editor().DBEdit16, QStringLiteral("Mám pejska."));
    testkit::click(*m_fixture.form, QStringLiteral("Button7"));

    openEditor();
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    testkit::focus(editor().DBEdit11);
    testkit::type(editor().DBEdit11, QStringLiteral("Hello."));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton8"));
    selectPhrase(QStringLiteral("11111124"));
    openEditor();
    testkit::focus(editor().DBEdit16);
    testkit::type(editor().DBEdit16, QStringLiteral("Ahoj."));
    testkit::click(*m_fixture.form, QStringLiteral("Button7"));

    const Records expected = collecting ? Records{{"  1", "I have got a dog.", "Mám pejska.", "11111113"},
                                                  {"  1", "Hello.", "", "11111124"},
                                                  {"  1", "Hello.", "Ahoj.", "11111124"}}
                                        : Records{};
    QCOMPARE(newPhrasesOnDisk(), expected);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestPhraseBook::navigatorMovesDoNotCopy()
{
    start();
    openPhrases();
    openEditor();
    testkit::focus(editor().DBEdit16);
    editor().DBEdit16->selectAll();
    testkit::type(editor().DBEdit16, QStringLiteral("Kočka je černočerná."));
    QTest::mouseClick(editor().DBNavigator6->findChild<QAbstractButton*>(QStringLiteral("Next")), Qt::LeftButton);
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton8"));
    QCOMPARE(phrasesOnDisk().first(), (QStringList{"  1", "The cat is black.", "Kočka je černočerná.", "11111112"}));
    QCOMPARE(newPhrasesOnDisk(), Records{});
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

// Cancel leaves order and range as "&Nová fráze" set them; the next lesson chosen restores both.
void TestPhraseBook::cancelAfterNewPhraseListsAllBySound()
{
    setPhrasesOnDisk({{"  2", "b", "b", "11111114"}, {"  1", "a", "a", "11111113"}, {"  3", "c", "c", "11111112"}});
    start();
    openPhrases();
    openEditor();
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton8"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p7frazeIndex));
    QVERIFY(m_fixture.form->Timer1->isActive());
    QCOMPARE(shownPhrases(*m_fixture.form->Table3),
             (Records{{"  3", "c", "c", "11111112"}, {"  1", "a", "a", "11111113"}, {"  2", "b", "b", "11111114"}}));
    QCOMPARE(phrasesOnDisk().size(), 3);

    testkit::click(*m_fixture.form, QStringLiteral("BitBtn16"));
    m_fixture.chooseLesson(QStringLiteral("2"));
    QCOMPARE(shownPhrases(*m_fixture.form->Table3), (Records{{"  2", "b", "b", "11111114"}}));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

// With all lessons shown the current lesson is three blanks: OK restricts the list to phrases of
// that lesson, and a new phrase takes it.
void TestPhraseBook::okWithAllLessonsShown()
{
    start();
    m_fixture.chooseLesson(QString());
    QCOMPARE(m_fixture.form->currentLesson, QStringLiteral("   "));
    openPhrases();
    QCOMPARE(m_fixture.form->Table3->recordCount(), 12);
    openEditor();
    testkit::click(*m_fixture.form, QStringLiteral("Button7"));
    QCOMPARE(m_fixture.form->Table3->recordCount(), 0);

    openEditor();
    m_fixture.form->p11novaslova->CheckBox5->setChecked(false);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    QCOMPARE(m_fixture.form->Table3->fieldByName(QStringLiteral("LEK")).asString().trimmed(), QString());
    testkit::focus(editor().DBEdit11);
    testkit::type(editor().DBEdit11, QStringLiteral("Anywhere."));
    testkit::click(*m_fixture.form, QStringLiteral("Button7"));
    QCOMPARE(shownPhrases(*m_fixture.form->Table3).size(), 1);
    QCOMPARE(phrasesOnDisk().last(), (QStringList{"", "Anywhere.", "", "11111124"}));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

// "&Nová fráze", a take through the recorder's own buttons, "&OK": the take is in the phrase's
// sound file, untrimmed.
void TestPhraseBook::recordingAPhrase()
{
    start();
    openPhrases();
    openEditor();
    m_fixture.form->p11novaslova->CheckBox5->setChecked(false);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    testkit::focus(editor().DBEdit11);
    testkit::type(editor().DBEdit11, QStringLiteral("Listen."));
    const QString file = sound(QStringLiteral("11111124"));
    MediaPlayer* recorder = editor().MediaPlayer6;
    if (!kadmor::soundDevicePresent()) {
        m_fixture.dialogs->queueAnswer(Answer::Ok);
        testkit::click(*m_fixture.form, QStringLiteral("Image2"));
        QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, errorBox(noOutput + QStringLiteral(" \"") + file +
                                                                         QStringLiteral("\" \rChyba zápisu! "))}));
        QVERIFY(!m_fixture.form->phraseRecorder->isOpen());
        testkit::click(*m_fixture.form, QStringLiteral("Button7"));
        QCOMPARE(readFile(file), kadmor::wave::recordingHeader());
        QCOMPARE(phrasesOnDisk().last(), (QStringList{"  1", "Listen.", "", "11111124"}));
        return;
    }
    testkit::click(*m_fixture.form, QStringLiteral("Image2"));
    QVERIFY(m_fixture.form->phraseRecorder->isOpen());
    QCOMPARE(recorder->player().fileName(), file);
    QCOMPARE(readFile(file), kadmor::wave::recordingHeader());
    clickPlayerButton(recorder, QStringLiteral("record"));
    QTRY_VERIFY_WITH_TIMEOUT(recorder->player().length() >= 500, soundTimeout);
    clickPlayerButton(recorder, QStringLiteral("stop"));
    const qint64 take = recorder->player().length();
    testkit::click(*m_fixture.form, QStringLiteral("Button7"));

    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    QVERIFY(!m_fixture.form->phraseRecorder->isOpen());
    QVERIFY(!recorder->player().isOpen());
    const QByteArray saved = readFile(file);
    QCOMPARE(saved.first(4), QByteArray("RIFF"));
    QCOMPARE(qRound64((saved.size() - 58) * 1000.0 / 22050), take);
    QCOMPARE(phrasesOnDisk().last(), (QStringList{"  1", "Listen.", "", "11111124"}));

    // The stored phrase plays its own sound.
    selectPhrase(QStringLiteral("11111124"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn19"));
    QCOMPARE(page().MediaPlayer7->player().fileName(), file);
    QTRY_VERIFY_WITH_TIMEOUT(!page().MediaPlayer7->player().isOpen(), soundTimeout);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

// A second recording before storing saves the first take and then starts over on the header alone;
// cancel drops the second take.
void TestPhraseBook::recordingAgainStartsOver()
{
    if (!kadmor::soundDevicePresent())
        QSKIP("no sound server in this run");
    start();
    openPhrases();
    selectPhrase(QStringLiteral("11111112"));
    openEditor();
    MediaPlayer* recorder = editor().MediaPlayer6;
    testkit::click(*m_fixture.form, QStringLiteral("Image2"));
    clickPlayerButton(recorder, QStringLiteral("record"));
    QTRY_VERIFY_WITH_TIMEOUT(recorder->player().length() >= 300, soundTimeout);
    clickPlayerButton(recorder, QStringLiteral("stop"));
    testkit::click(*m_fixture.form, QStringLiteral("Image2"));
    QVERIFY(m_fixture.form->phraseRecorder->isOpen());
    QCOMPARE(readFile(sound(QStringLiteral("11111112"))), kadmor::wave::recordingHeader());
    clickPlayerButton(recorder, QStringLiteral("record"));
    QTRY_VERIFY_WITH_TIMEOUT(recorder->player().length() >= 300, soundTimeout);
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton8"));
    QVERIFY(!m_fixture.form->phraseRecorder->isOpen());
    QVERIFY(!recorder->player().isOpen());
    QCOMPARE(readFile(sound(QStringLiteral("11111112"))), kadmor::wave::recordingHeader());
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestPhraseBook::deletingAPhrase_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("alsoNamedBy"); // "phrase", "word" or nothing
    QTest::addColumn<bool>("soundKept");
    QTest::newRow("the phrase's own sound goes") << Answer::Yes << QString() << false;
    QTest::newRow("another phrase names the sound") << Answer::Yes << QStringLiteral("phrase") << true;
    QTest::newRow("a word names the sound") << Answer::Yes << QStringLiteral("word") << true;
    QTest::newRow("No keeps everything") << Answer::No << QString() << true;
}

void TestPhraseBook::deletingAPhrase()
{
    QFETCH(Answer, answer);
    QFETCH(QString, alsoNamedBy);
    QFETCH(bool, soundKept);
    Records phrases = {{"  1", "The cat is black.", "Kočka je černá.", "11111112"},
                       {"  1", "I have got a dog.", "Mám psa.", "11111113"}};
    if (alsoNamedBy == QStringLiteral("phrase"))
        phrases.append({"  5", "The cat is black again.", "Kočka je zase černá.", "11111112"});
    setPhrasesOnDisk(phrases);
    if (alsoNamedBy == QStringLiteral("word")) {
        kadmor::Table words(kadmor::layouts::words());
        words.setDatabaseName(m_fixture.installation->dataFolder());
        words.setTableName(QStringLiteral("kadmor.dbf"));
        words.open();
        testkit::appendRow(words, {{"LEK", "  9"}, {"ANGL", "cat is black"}, {"ZVUK", "11111112"}});
    }
    start();
    openPhrases();
    selectPhrase(QStringLiteral("11111112"));
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    m_fixture.dialogs->queueAnswer(answer);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn22"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{Event::password(), beep,
                     Event::message(BoxType::Warning, QStringLiteral("Opravdu chceš smazat tento záznam?"),
                                    Buttons::YesNo)}));
    QCOMPARE(QFile::exists(sound(QStringLiteral("11111112"))), soundKept);
    QCOMPARE(phrasesOnDisk().size(), phrases.size() - (answer == Answer::Yes ? 1 : 0));
    QVERIFY(QFile::exists(sound(QStringLiteral("11111113"))));
    if (answer == Answer::Yes)
        QCOMPARE(m_fixture.form->Table3->fieldByName(QStringLiteral("ZVUK")).asString(), QStringLiteral("11111113"));
}

QTEST_MAIN(TestPhraseBook)
#include "tst_phrase_book.moc"
