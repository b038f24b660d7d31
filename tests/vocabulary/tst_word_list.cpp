// SPDX-License-Identifier: GPL-3.0-or-later
// The word list of the real main window on a fresh installation: choosing a lesson, the orders,
// the search and Escape.
#include "installation.h"
#include "main_window_fixture.h"
#include "running_program.h"
#include "test_names.h"

#include "scripted_dialogs.h"
#include "shell/data_aware/table_model.h"
#include "shell/tform1.h"
#include "ui_word_list_page.h"

#include <QAbstractItemView>
#include <QCollator>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

// The sample installation's lessons.
constexpr int wordsInLesson2 = 17;
constexpr int allWords = 66;
constexpr int phrasesInLesson2 = 3;
constexpr int allPhrases = 12;

// One column of the rows the grid shows, top to bottom.
QStringList shownColumn(const Ui::WordListPage& page, const QString& field)
{
    const QAbstractItemModel* model = page.DBGrid1->model();
    int column = -1;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (model->headerData(c, Qt::Horizontal).toString() == field)
            column = c;
    }
    QStringList values;
    for (int row = 0; column >= 0 && row < model->rowCount(); ++row)
        values.append(model->data(model->index(row, column)).toString());
    return values;
}

// Whether the values stand in the order of the field's index: Czech words by Czech rules.
bool inIndexOrder(const QStringList& values, const QString& field)
{
    QCollator collator(field == QStringLiteral("CES") ? QLocale(QLocale::Czech) : QLocale(QLocale::English));
    return std::is_sorted(values.begin(), values.end(),
                          [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

QString currentWord(TForm1& form)
{
    return form.Table1->fieldByName(QStringLiteral("ANGL")).asString();
}

} // namespace

class TestWordList : public QObject
{
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void gridShowsTheWordFieldsWithWholeRows();
    void choosingALesson_data();
    void choosingALesson();
    void orderButtonsKeepTheLessonTheLessonOrderDropsIt_data();
    void orderButtonsKeepTheLessonTheLessonOrderDropsIt();
    void lessonOrderButtonKeepsTheCurrentLessonComboItemEmptiesIt();
    void typingIntoTheComboBoxMovesToTheGrid();
    void searchFindsTheNearestWordOfTheShownLesson_data();
    void searchFindsTheNearestWordOfTheShownLesson();
    void leavingTheSearchWhileOrderedByLessonOrdersByWord();
    void escapeAsksBeforeClosing_data();
    void escapeAsksBeforeClosing();

  private:
    void chooseLesson(const QString& typed);
    void chooseComboItem(const QString& text);

    testkit::MainWindowFixture m_fixture; // one installation: the tests only read the words
    Ui::WordListPage* m_page = nullptr;
};

void TestWordList::initTestCase()
{
    m_fixture.shareInstallation();
}

void TestWordList::init()
{
    m_fixture.setUp();
    m_fixture.startOnWordList();
    m_page = m_fixture.form->p2zaktabul;
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
}

void TestWordList::cleanup()
{
    m_fixture.tearDown();
}

// Types into the lesson box and presses Enter, as a pupil does.
void TestWordList::chooseLesson(const QString& typed)
{
    testkit::focus(m_page->Edit2);
    QCOMPARE(m_page->Edit2->text(), QString()); // entering empties the box
    testkit::type(m_page->Edit2, typed);
    QTest::keyClick(m_page->Edit2, Qt::Key_Return);
    QVERIFY(m_page->DBGrid1->hasFocus());
}

// Picks an item from the combo box's list with the keyboard.
void TestWordList::chooseComboItem(const QString& text)
{
    QComboBox* combo = m_page->ComboBox1;
    const int index = combo->findText(text);
    QVERIFY(index >= 0);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
}

void TestWordList::gridShowsTheWordFieldsWithWholeRows()
{
    const QAbstractItemModel* model = m_page->DBGrid1->model();
    QStringList titles;
    for (int c = 0; c < model->columnCount(); ++c)
        titles.append(model->headerData(c, Qt::Horizontal).toString());
    QCOMPARE(titles, (QStringList{"LEK", "ANGL", "CES", "OBR", "ZVUK"}));
    QCOMPARE(m_page->DBGrid1->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(m_page->DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void TestWordList::choosingALesson_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leaveWithEnter"); // else the focus goes to the search box
    QTest::addColumn<QString>("box");         // the lesson box afterwards
    QTest::addColumn<QString>("lesson");      // the current lesson
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("phrases");

    QTest::newRow("2") << "2" << true << "  2"
                       << "  2"
                       << "vybrána lekce číslo:   2"
                       << "lekce číslo:   2" << wordsInLesson2 << phrasesInLesson2;
    QTest::newRow("7: no word has it") << "7" << true << "  7"
                                       << "  7"
                                       << "vybrána lekce číslo:   7"
                                       << "lekce číslo:   7" << 0 << 0;
    QTest::newRow("12345, Enter: the grid shows the lesson") << "12345" << true << "123"
                                                             << "123"
                                                             << "vybrána lekce číslo: 12345"
                                                             << "lekce číslo: 12345" << 0 << 0;
    QTest::newRow("12345, left for the search box") << "12345" << false << "12345"
                                                    << "123"
                                                    << "vybrána lekce číslo: 12345"
                                                    << "lekce číslo: 12345" << 0 << 0;
    QTest::newRow("empty: all lessons") << "" << true << "   "
                                        << "   "
                                        << "neseřazeno, výpis všech slovíček"
                                        << "COMBO-WORD-ORDER" << allWords << allPhrases;
}

void TestWordList::choosingALesson()
{
    QFETCH(QString, typed);
    QFETCH(bool, leaveWithEnter);
    QFETCH(QString, box);
    QFETCH(QString, lesson);
    QFETCH(QString, status);
    QFETCH(QString, combo);
    QFETCH(int, words);
    QFETCH(int, phrases);
    if (combo == QStringLiteral("COMBO-WORD-ORDER"))
        combo = m_fixture.form->languageName + QStringLiteral("ch slov");

    if (leaveWithEnter) {
        chooseLesson(typed);
    } else {
        testkit::focus(m_page->Edit2);
        testkit::type(m_page->Edit2, typed);
        testkit::focus(m_page->Edit1);
    }
    QCOMPARE(m_page->Edit2->text(), box);
    QCOMPARE(m_fixture.form->currentLesson, lesson);
    QCOMPARE(m_fixture.form->status(), status);
    QCOMPARE(m_page->ComboBox1->currentText(), combo);
    QCOMPARE(m_fixture.form->Table1->recordCount(), words);
    QCOMPARE(m_fixture.form->Table3->recordCount(), phrases);
    QCOMPARE(m_fixture.form->Table1->indexName(), QStringLiteral("angl"));
    const QStringList shown = shownColumn(*m_page, QStringLiteral("ANGL"));
    QCOMPARE(shown.size(), words);
    QVERIFY(inIndexOrder(shown, QStringLiteral("ANGL")));
    if (words > 0 && words < allWords)
        QCOMPARE(shownColumn(*m_page, QStringLiteral("LEK")), QStringList(words, lesson));
}

void TestWordList::orderButtonsKeepTheLessonTheLessonOrderDropsIt_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("words");
    QTest::addColumn<QString>("box");

    QTest::newRow("by word") << "SpeedButton3"
                             << "angl"
                             << "WORD-ORDER" << wordsInLesson2 << "";
    QTest::newRow("by Czech word") << "SpeedButton4"
                                   << "ces"
                                   << "českých slov" << wordsInLesson2 << "";
    QTest::newRow("by lesson") << "SpeedButton2"
                               << "lek"
                               << "lekcí" << allWords << "   ";
}

void TestWordList::orderButtonsKeepTheLessonTheLessonOrderDropsIt()
{
    QFETCH(QString, button);
    QFETCH(QString, index);
    QFETCH(QString, combo);
    QFETCH(int, words);
    QFETCH(QString, box);
    if (combo == QStringLiteral("WORD-ORDER"))
        combo = m_fixture.form->wordOrderText();

    chooseLesson(QStringLiteral("2"));
    testkit::click(*m_fixture.form, button);
    QCOMPARE(m_fixture.form->Table1->indexName(), index);
    QCOMPARE(m_page->ComboBox1->currentText(), combo);
    QCOMPARE(m_fixture.form->Table1->recordCount(), words);
    QCOMPARE(m_page->Edit2->text(), box);
    QCOMPARE(m_fixture.form->currentLesson, QStringLiteral("  2"));

    // The grid shows the chosen order.
    const QString field = index == QStringLiteral("ces")   ? QStringLiteral("CES")
                          : index == QStringLiteral("lek") ? QStringLiteral("LEK")
                                                           : QStringLiteral("ANGL");
    QVERIFY(inIndexOrder(shownColumn(*m_page, field), field));
}

// SpeedButton2 and the combo item "lekcí" both show all lessons by lesson; only the item forgets
// the lesson, which the lesson box shows when the grid takes the focus.
void TestWordList::lessonOrderButtonKeepsTheCurrentLessonComboItemEmptiesIt()
{
    chooseLesson(QStringLiteral("2"));
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton2"));
    QCOMPARE(m_page->Edit2->text(), QStringLiteral("   "));
    testkit::focus(m_page->Edit1);
    testkit::focus(m_page->DBGrid1);
    QCOMPARE(m_page->Edit2->text(), QStringLiteral("  2"));
    QCOMPARE(m_fixture.form->Table3->recordCount(), allPhrases);

    chooseLesson(QStringLiteral("2"));
    QCOMPARE(m_fixture.form->Table3->recordCount(), phrasesInLesson2);
    chooseComboItem(QStringLiteral("lekcí"));
    QVERIFY(m_page->DBGrid1->hasFocus());
    QCOMPARE(m_fixture.form->currentLesson, QString());
    QCOMPARE(m_page->Edit2->text(), QString());
    QCOMPARE(m_fixture.form->Table1->indexName(), QStringLiteral("lek"));
    QCOMPARE(m_fixture.form->Table1->recordCount(), allWords);
    QCOMPARE(m_fixture.form->Table3->recordCount(), allPhrases);

    chooseComboItem(QStringLiteral("českých slov"));
    QCOMPARE(m_fixture.form->Table1->indexName(), QStringLiteral("ces"));
    QCOMPARE(m_fixture.form->Table1->recordCount(), allWords);
}

void TestWordList::typingIntoTheComboBoxMovesToTheGrid()
{
    testkit::focus(m_page->ComboBox1);
    testkit::type(m_page->ComboBox1->lineEdit(), QStringLiteral("x"));
    QVERIFY(m_page->DBGrid1->hasFocus());
    QCOMPARE(m_fixture.form->Table1->recordCount(), 16); // the restriction and order are kept
    QCOMPARE(m_fixture.form->Table1->indexName(), QStringLiteral("angl"));
}

void TestWordList::searchFindsTheNearestWordOfTheShownLesson_data()
{
    QTest::addColumn<QString>("order"); // the order button pressed before the search
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found"); // ANGL of the word found

    QTest::newRow("by word, start of a word") << "SpeedButton3"
                                              << "ho"
                                              << "house";
    QTest::newRow("by word, between words") << "SpeedButton3"
                                            << "bo"
                                            << "boat";
    QTest::newRow("by Czech word") << "SpeedButton4"
                                   << "kn"
                                   << "book";
    QTest::newRow("by Czech word, ch after h") << "SpeedButton4"
                                               << "ch"
                                               << "key"; // klíč
}

void TestWordList::searchFindsTheNearestWordOfTheShownLesson()
{
    QFETCH(QString, order);
    QFETCH(QString, typed);
    QFETCH(QString, found);

    chooseLesson(QStringLiteral("2"));
    testkit::click(*m_fixture.form, order);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn14"));
    QVERIFY(m_page->Edit1->hasFocus());
    testkit::type(m_page->Edit1, typed);
    QCOMPARE(currentWord(*m_fixture.form), found);
    QTest::keyClick(m_page->Edit1, Qt::Key_Return);
    QVERIFY(m_page->DBGrid1->hasFocus());
    QCOMPARE(currentWord(*m_fixture.form), found);
    QCOMPARE(m_fixture.form->Table1->recordCount(), wordsInLesson2);
    QCOMPARE(m_fixture.form->status(), QString());
}

void TestWordList::leavingTheSearchWhileOrderedByLessonOrdersByWord()
{
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton2"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn14"));
    testkit::type(m_page->Edit1, QStringLiteral("ho"));
    QTest::keyClick(m_page->Edit1, Qt::Key_Return);
    QCOMPARE(m_fixture.form->Table1->indexName(), QStringLiteral("angl"));
    QCOMPARE(m_page->ComboBox1->currentText(), m_fixture.form->wordOrderText());
    QCOMPARE(currentWord(*m_fixture.form), QStringLiteral("horse"));
    QCOMPARE(m_fixture.form->Table1->recordCount(), allWords);
    QCOMPARE(m_fixture.form->status(), QString());
}

void TestWordList::escapeAsksBeforeClosing_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("No") << Answer::No << false;
    QTest::newRow("Yes") << Answer::Yes << true;
}

void TestWordList::escapeAsksBeforeClosing()
{
    QFETCH(Answer, answer);
    QFETCH(bool, closed);
    chooseLesson(QStringLiteral("2"));
    m_fixture.form->Table1->moveBy(3);
    const int row = m_fixture.form->Table1->recNo();
    m_fixture.dialogs->takeEvents();

    m_fixture.dialogs->queueAnswer(answer);
    QTest::keyClick(m_page->DBGrid1, Qt::Key_Escape);
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{Event::beep(),
                     Event::message(BoxType::Information, QStringLiteral("Opravdu chceš skončit?"), Buttons::YesNo)}));
    QCOMPARE(m_fixture.form->isVisible(), !closed);
    if (closed)
        return;
    QCOMPARE(m_fixture.form->Table1->recNo(), row);
    QCOMPARE(m_fixture.form->Table1->recordCount(), wordsInLesson2);
    QCOMPARE(m_fixture.form->currentLesson, QStringLiteral("  2"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
}

QTEST_MAIN(TestWordList)
#include "tst_word_list.moc"
