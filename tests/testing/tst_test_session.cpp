// SPDX-License-Identifier: GPL-3.0-or-later
// The test session in the real main window with scripted boxes, without a sound device: a pupil
// answers at the keyboard, and the grade and the wrong words are read back from the disk.
#include "grade_book_on_disk.h"
#include "installation.h"
#include "main_window_fixture.h"
#include "running_program.h"
#include "scripted_dialogs.h"
#include "test_names.h"
#include "test_pupil.h"
#include "typing.h"

#include "shell/tform1.h"
#include "storage/table.h"
#include "ui_test_page.h"

#include <QCheckBox>
#include <QSet>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

using testkit::Pupil;
using testkit::TestPupil;
using testkit::Word;

namespace {

// Lesson 1: twelve words, lesson 2: five, lesson 3: one without a Czech text.
QList<Word> testWords()
{
    QList<Word> words;
    for (int i = 1; i <= 12; ++i)
        words.append({QStringLiteral("  1"), QStringLiteral("one%1").arg(i, 2, 10, QLatin1Char('0')),
                      QStringLiteral("jedna%1,první%1").arg(i), QStringLiteral("one%1").arg(i)});
    for (int i = 1; i <= 5; ++i)
        words.append({QStringLiteral("  2"), QStringLiteral("two%1").arg(i), QStringLiteral("dvě%1").arg(i),
                      QStringLiteral("two%1").arg(i)});
    words.append({QStringLiteral("  3"), QStringLiteral("empty"), QString(), QString()});
    return words;
}

const Event handOver =
    Event::message(BoxType::Confirmation, QStringLiteral("Zapsat známku do deníčku?"), Buttons::YesNo);
const Event offerToClear =
    Event::message(BoxType::Confirmation, QStringLiteral("Přepsat existující tabulku chybných odpovědí \"chtab.dbf\"?"),
                   Buttons::YesNo);

Event warning(const QString& text)
{
    return Event::message(BoxType::Warning, text, Buttons::Ok);
}

} // namespace

class TestTestSession : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void theTestPageShowsThePupilAndTheLesson();
    void theLessonChosenHereRestrictsThePhrasesToo();
    void directionAndModeExcludeEachOther();
    void aBadSetUpStartsNothing_data();
    void aBadSetUpStartsNothing();
    void aLessonOfTwelveAskedForFifteen();
    void aLessonOfFiveAskedForTen();
    void allWordsMayRepeat();
    void escapeDuringTheFeedbackEndsWithoutAGrade();
    void aWordWithoutACzechTextIsAlwaysWrong();
    void closingTheWindowEndsTheTest();

  private:
    // On the test page for Beta (grades "1 3"), the lesson typed into the lesson box.
    void startTest(const QString& lesson, const QString& count);
    Ui::TestPage& page() const { return *m_fixture.form->p6zkouseni; }
    void setUp(bool toCzech, bool fromCzech, bool written, bool oral);

    testkit::MainWindowFixture m_fixture;
};

void TestTestSession::init()
{
    m_fixture.setUp();
    testkit::writeWords(m_fixture.installation->dataFolder(), testWords());
    testkit::writeGradeBook(m_fixture.installation->dataFolder(), {{"Alfa", "2"}, {"Beta", "1 3"}});
    m_fixture.startOnWordList();
    m_fixture.form->Timer1->setInterval(20); // the feedback pause is two ticks of it
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn8"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{Event::password()});
    kadmor::Table* book = m_fixture.form->Table2;
    for (book->first(); book->fieldByName(QStringLiteral("JMENO")).asString() != QStringLiteral("Beta");)
        book->next();
}

void TestTestSession::cleanup()
{
    m_fixture.tearDown();
}

void TestTestSession::startTest(const QString& lesson, const QString& count)
{
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn9"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p6zkouseniIndex));
    QVERIFY(QTest::qWaitFor([this] { return page().Edit4->hasFocus(); }));
    page().Edit4->selectAll();
    QTest::keyClick(page().Edit4, Qt::Key_Backspace);
    testkit::type(page().Edit4, lesson);
    QTest::keyClick(page().Edit4, Qt::Key_Return);
    QVERIFY(page().Edit8->hasFocus());
    page().Edit8->selectAll();
    testkit::type(page().Edit8, count);
    QTest::keyClick(page().Edit8, Qt::Key_Return);
    QVERIFY(page().Button6->hasFocus());
}

void TestTestSession::setUp(bool toCzech, bool fromCzech, bool written, bool oral)
{
    page().CheckBox1->setChecked(toCzech);
    page().CheckBox2->setChecked(fromCzech);
    page().CheckBox3->setChecked(written);
    page().CheckBox4->setChecked(oral);
}

void TestTestSession::theTestPageShowsThePupilAndTheLesson()
{
    m_fixture.form->currentLesson = QStringLiteral("  2");
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn9"));
    QCOMPARE(page().Edit7->text(), QStringLiteral("Beta"));
    QCOMPARE(page().Edit4->text(), QStringLiteral("  2"));
    QVERIFY(QTest::qWaitFor([this] { return page().Edit4->hasFocus(); }));
    page().Edit4->setText(QStringLiteral("1"));
    QTest::keyClick(page().Edit4, Qt::Key_Return);
    QCOMPARE(page().Edit4->text(), QStringLiteral("  1"));
    QCOMPARE(m_fixture.form->currentLesson, QStringLiteral("  1"));
    QCOMPARE(m_fixture.form->Table1->recordCount(), 12);
    QCOMPARE(m_fixture.form->status(), QStringLiteral("vybrána lekce číslo:   1"));
    testkit::focus(page().Edit4);
    page().Edit4->clear();
    QTest::keyClick(page().Edit4, Qt::Key_Return);
    QCOMPARE(m_fixture.form->currentLesson, QStringLiteral("   "));
    QCOMPARE(m_fixture.form->Table1->recordCount(), 18);
    QCOMPARE(m_fixture.form->status(), QStringLiteral("neseřazeno, zkoušení ze všech slovíček"));
}

namespace {

// On the box's own text, which a click in the middle of a wide box may miss.
void clickBox(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
}

} // namespace

// "&Nová fráze" leaves every phrase listed by sound name, and cancel keeps that order; the lesson
// chosen for the test then restricts the phrases as the word list's lesson box does.
void TestTestSession::theLessonChosenHereRestrictsThePhrasesToo()
{
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn11"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn15"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn18"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p8editfrazeIndex));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn21"));
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton8"));
    kadmor::Table* phrases = m_fixture.form->Table3;
    QCOMPARE(phrases->recordCount(), 12);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn16"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn8"));
    startTest(QStringLiteral("1"), QStringLiteral("10"));
    QStringList shown;
    for (int row = 0; row < phrases->recordCount(); ++row)
        shown << phrases->text(row, 0) + u'|' + phrases->text(row, 1);
    QCOMPARE(shown, (QStringList{"  1|The cat is black.", "  1|I have got a dog.", "  1|The bird can fly."}));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
}

void TestTestSession::directionAndModeExcludeEachOther()
{
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn9"));
    setUp(true, false, false, true); // oral, second language to Czech
    clickBox(page().CheckBox2);
    QVERIFY(!page().CheckBox1->isChecked() && page().CheckBox2->isChecked());
    QVERIFY(page().CheckBox3->isChecked() && !page().CheckBox4->isChecked()); // Czech words are written
    clickBox(page().CheckBox1);
    QVERIFY(page().CheckBox1->isChecked() && !page().CheckBox2->isChecked());
    clickBox(page().CheckBox4);
    QVERIFY(!page().CheckBox3->isChecked() && page().CheckBox4->isChecked());
    clickBox(page().CheckBox3);
    QVERIFY(page().CheckBox3->isChecked() && !page().CheckBox4->isChecked());
    // Entering a box with the keyboard does the same.
    testkit::focus(page().CheckBox4);
    QVERIFY(!page().CheckBox3->isChecked());
}

void TestTestSession::aBadSetUpStartsNothing_data()
{
    QTest::addColumn<QList<bool>>("boxes"); // CheckBox1 … CheckBox4
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<QString>("count");
    QTest::addColumn<Events>("events");
    const Events wrong{Event::beep(), warning(QStringLiteral("Špatně zadáno zkoušení!"))};
    QTest::newRow("no mode") << QList<bool>{true, false, false, false} << "1"
                             << "15" << wrong;
    QTest::newRow("no direction") << QList<bool>{false, false, true, false} << "1"
                                  << "15" << wrong;
    QTest::newRow("Czech words spoken") << QList<bool>{false, true, true, true} << "1"
                                        << "15" << wrong;
    QTest::newRow("Czech words not written") << QList<bool>{false, true, false, false} << "1"
                                             << "15" << wrong;
    QTest::newRow("fewer than 10") << QList<bool>{true, false, true, false} << "1"
                                   << "9"
                                   << Events{Event::beep(),
                                             Event::message(BoxType::Plain,
                                                            QStringLiteral("Ty lenochu, alespoň 10 slov!"),
                                                            Buttons::Ok)};
    QTest::newRow("no number") << QList<bool>{true, false, true, false} << "   "
                               << "deset"
                               << Events{Event::message(
                                      BoxType::Error, QStringLiteral("„deset“ není platné celé číslo."), Buttons::Ok)};
    QTest::newRow("a lesson without words")
        << QList<bool>{true, false, true, false} << "77"
        << "15" << Events{Event::beep(), warning(QStringLiteral("Lekce číslo:  77 neexistuje!"))};
}

void TestTestSession::aBadSetUpStartsNothing()
{
    QFETCH(QList<bool>, boxes);
    QFETCH(QString, lesson);
    QFETCH(QString, count);
    QFETCH(Events, events);
    startTest(lesson, count);
    setUp(boxes[0], boxes[1], boxes[2], boxes[3]);
    for (int i = 0; i < events.size(); ++i) {
        if (events[i].kind == Event::Kind::Message)
            m_fixture.dialogs->queueAnswer(Answer::Ok);
    }
    testkit::click(*m_fixture.form, QStringLiteral("Button6"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), events);
    QVERIFY(page().Button6->isEnabled());
    QCOMPARE(page().Edit5->text(), QString());
    const bool noWords = lesson == QStringLiteral("77");
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(),
             int(noWords ? TForm1::p4hodnoceniIndex : TForm1::p6zkouseniIndex));
    if (count == QStringLiteral("9"))
        QVERIFY(QTest::qWaitFor([this] { return page().Edit8->hasFocus(); }));
    QCOMPARE(testkit::gradeBookOnDisk(m_fixture.installation->dataFolder())[1][2], QStringLiteral("1 3"));
}

void TestTestSession::aLessonOfTwelveAskedForFifteen()
{
    startTest(QStringLiteral("1"), QStringLiteral("15"));
    TestPupil pupil(*m_fixture.form, [](const QString&, const QString& czech) { return testkit::rightAnswer(czech); });
    m_fixture.dialogs->queueAnswer(Answer::Yes);
    testkit::click(*m_fixture.form, QStringLiteral("Button6"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{Event::beep(), handOver}));
    QCOMPARE(pupil.asked.size(), 12);
    QCOMPARE(QSet<QString>(pupil.asked.begin(), pupil.asked.end()).size(), 12);
    QCOMPARE(pupil.prompts, pupil.asked); // written: the word is shown
    QCOMPARE(page().Edit11->text(), QStringLiteral("12"));
    QCOMPARE(page().Edit12->text(), QStringLiteral("0"));
    QCOMPARE(page().Edit13->text(), QStringLiteral("1"));
    QCOMPARE(page().Edit14->text(), QStringLiteral("Beta"));
    QVERIFY(page().Button6->isEnabled());
    QVERIFY(!m_fixture.form->Timer1->isActive());
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    // The grade went into the first empty slot, B.
    QCOMPARE(testkit::gradeBookOnDisk(m_fixture.installation->dataFolder())[1],
             (QStringList{"2.", "Beta", "113", "3", "1.67"}));
    QCOMPARE(testkit::wrongAnswersOnDisk(m_fixture.installation->dataFolder()), Records{});
}

void TestTestSession::aLessonOfFiveAskedForTen()
{
    // An earlier test left a difficult word, which the teacher agrees to clear.
    kadmor::Table* wrong = m_fixture.form->Table5;
    wrong->append();
    wrong->fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("old"));
    wrong->post();
    startTest(QStringLiteral("2"), QStringLiteral("10"));
    page().CheckBox2->setChecked(true); // Czech to English
    page().CheckBox1->setChecked(false);
    // two1 and two2 answered wrongly; the rest right.
    TestPupil pupil(*m_fixture.form, [](const QString& word, const QString&) {
        return word == QStringLiteral("two1") || word == QStringLiteral("two2") ? QStringLiteral("nevím") : word;
    });
    m_fixture.dialogs->queueAnswer(Answer::Yes); // clear the table, offered once
    m_fixture.dialogs->queueAnswer(Answer::Yes); // the grade
    testkit::click(*m_fixture.form, QStringLiteral("Button6"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{offerToClear, Event::beep(), handOver}));
    QCOMPARE(pupil.asked.size(), 5);
    QCOMPARE(QSet<QString>(pupil.asked.begin(), pupil.asked.end()).size(), 5);
    QVERIFY(pupil.prompts.contains(QStringLiteral("dvě1"))); // the Czech word is shown
    QCOMPARE(page().Edit11->text(), QStringLiteral("3"));
    QCOMPARE(page().Edit12->text(), QStringLiteral("2"));
    QCOMPARE(page().Edit13->text(), QStringLiteral("4")); // 60 %
    QCOMPARE(testkit::gradeBookOnDisk(m_fixture.installation->dataFolder())[1][2], QStringLiteral("143"));
    Records wrongWords = testkit::wrongAnswersOnDisk(m_fixture.installation->dataFolder());
    std::sort(wrongWords.begin(), wrongWords.end());
    QCOMPARE(wrongWords, (Records{{"two1", "dvě1", "two1"}, {"two2", "dvě2", "two2"}}));
    QCOMPARE(m_fixture.form->Table5->recordCount(), 2);
}

void TestTestSession::allWordsMayRepeat()
{
    startTest(QString(), QStringLiteral("18"));
    TestPupil pupil(*m_fixture.form, [](const QString&, const QString&) { return QStringLiteral("?"); });
    m_fixture.dialogs->queueAnswer(Answer::No); // the earlier wrong words stay
    m_fixture.dialogs->queueAnswer(Answer::No); // no grade
    testkit::click(*m_fixture.form, QStringLiteral("Button6"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{offerToClear, Event::beep(), handOver}));
    QCOMPARE(pupil.asked.size(), 18);
    QVERIFY(QSet<QString>(pupil.asked.begin(), pupil.asked.end()).size() < 18);
    QCOMPARE(page().Edit13->text(), QStringLiteral("5"));
    QCOMPARE(testkit::gradeBookOnDisk(m_fixture.installation->dataFolder())[1][2], QStringLiteral("1 3"));
    QCOMPARE(testkit::wrongAnswersOnDisk(m_fixture.installation->dataFolder()).size(), 18);
}

void TestTestSession::escapeDuringTheFeedbackEndsWithoutAGrade()
{
    startTest(QStringLiteral("1"), QStringLiteral("10"));
    page().Edit13->setText(QStringLiteral("earlier"));
    TestPupil pupil(*m_fixture.form, [](const QString&, const QString&) { return QStringLiteral("?"); });
    pupil.escapeDuringWrongFeedback();
    m_fixture.dialogs->queueAnswer(Answer::No);
    testkit::click(*m_fixture.form, QStringLiteral("Button6"));
    QVERIFY(pupil.escapePressed);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{offerToClear});
    QCOMPARE(pupil.asked.size(), 1);
    QCOMPARE(page().Edit9->text(), QStringLiteral("2")); // the next question was prepared
    QCOMPARE(page().Edit13->text(), QStringLiteral("earlier"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    QVERIFY(page().Button6->isEnabled());
    QCOMPARE(testkit::gradeBookOnDisk(m_fixture.installation->dataFolder())[1][2], QStringLiteral("1 3"));
    QCOMPARE(testkit::wrongAnswersOnDisk(m_fixture.installation->dataFolder()).size(), 1);
}

// A word stored without its Czech text has no accepted answer: it counts as wrong, whatever is
// typed, and goes into the difficult words so that the teacher sees it.
void TestTestSession::aWordWithoutACzechTextIsAlwaysWrong()
{
    startTest(QStringLiteral("3"), QStringLiteral("10"));
    TestPupil pupil(*m_fixture.form, [](const QString&, const QString&) { return QString(); });
    m_fixture.dialogs->queueAnswer(Answer::Yes);
    m_fixture.dialogs->queueAnswer(Answer::No);
    testkit::click(*m_fixture.form, QStringLiteral("Button6"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{offerToClear, Event::beep(), handOver}));
    QCOMPARE(pupil.asked, QStringList{"empty"});
    QCOMPARE(page().Edit12->text(), QStringLiteral("1"));
    QCOMPARE(page().Edit13->text(), QStringLiteral("5"));
    QCOMPARE(testkit::wrongAnswersOnDisk(m_fixture.installation->dataFolder()), (Records{{"empty", "", ""}}));
}

void TestTestSession::closingTheWindowEndsTheTest()
{
    startTest(QStringLiteral("1"), QStringLiteral("10"));
    TestPupil pupil(*m_fixture.form, [](const QString&, const QString& czech) { return testkit::rightAnswer(czech); });
    pupil.onQuestion(3, [this] { m_fixture.form->close(); });
    testkit::click(*m_fixture.form, QStringLiteral("Button6"));
    QCOMPARE(pupil.asked.size(), 2);
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    QCOMPARE(page().Edit13->text(), QString());
    QCOMPARE(testkit::gradeBookOnDisk(m_fixture.installation->dataFolder())[1][2], QStringLiteral("1 3"));
}

QTEST_MAIN(TestTestSession)
#include "tst_test_session.moc"
