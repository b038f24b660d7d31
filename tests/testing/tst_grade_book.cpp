// SPDX-License-Identifier: GPL-3.0-or-later
// The grade book in the real main window with scripted boxes, each case on a fresh installation;
// what reaches the disk is read back with an independent dBASE reader.
#include "grade_book_on_disk.h"
#include "installation.h"
#include "main_window_fixture.h"
#include "running_program.h"
#include "scripted_dialogs.h"
#include "test_names.h"
#include "typing.h"

#include "shell/data_aware/table_model.h"
#include "shell/tform1.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "storage/table.h"
#include "ui_grade_book_page.h"
#include "ui_grade_edit_page.h"
#include "ui_wrong_answers_page.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

using testkit::Pupil;

Q_DECLARE_METATYPE(QList<Pupil>)

namespace {

const QList<Pupil> alfaBetaGama = {{"Alfa", "1"}, {"Beta", "55"}, {"Gama", "3"}};

} // namespace

class TestGradeBook : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void enteringNeedsThePassword_data();
    void enteringNeedsThePassword();
    void theGridShowsTheFinalGradeAndTheAverage();
    void writingATestGrade_data();
    void writingATestGrade();
    void correctingGradesRecounts_data();
    void correctingGradesRecounts();
    void cancelDropsTheCorrections();
    void addedPupilsAreNumberedAndSortingKeepsTheNumbers();
    void aPupilWithoutANameCannotBeTested();
    void searching_data();
    void searching();
    void deletingAPupil_data();
    void deletingAPupil();
    void deletingAllPupils_data();
    void deletingAllPupils();
    void deletingAllPupilsFallsBackToTheTemplates();
    void theDifficultWords();

  private:
    void start(const QList<Pupil>& pupils);
    void enter();
    void select(const QString& name);
    void addPupil(const QString& name);
    Records onDisk() const { return testkit::gradeBookOnDisk(m_fixture.installation->dataFolder()); }
    QString field(const QString& name) const { return m_fixture.form->Table2->fieldByName(name).asString(); }
    QList<kadmor::DbEdit*> gradeBoxes() const;

    testkit::MainWindowFixture m_fixture;
};

void TestGradeBook::init()
{
    m_fixture.setUp();
}

void TestGradeBook::cleanup()
{
    m_fixture.tearDown();
}

void TestGradeBook::start(const QList<Pupil>& pupils)
{
    testkit::writeGradeBook(m_fixture.installation->dataFolder(), pupils);
    m_fixture.startOnWordList();
}

// "z&kouš." as the teacher, who types the password the first time.
void TestGradeBook::enter()
{
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn8"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{Event::password()});
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
}

void TestGradeBook::select(const QString& name)
{
    kadmor::Table* book = m_fixture.form->Table2;
    for (book->first(); !book->eof(); book->next()) {
        if (field(QStringLiteral("JMENO")) == name)
            return;
    }
    QFAIL(qPrintable(QStringLiteral("no pupil ") + name));
}

// "&Nový", the name typed, Enter: the name box is left for the grid.
void TestGradeBook::addPupil(const QString& name)
{
    Ui::GradeBookPage& page = *m_fixture.form->p4hodnoceni;
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn12"));
    QVERIFY(page.GroupBox8->isVisible());
    QVERIFY(!page.BitBtn13->isVisible() && !page.Button8->isVisible() && !page.Panel8->isVisible() &&
            !page.Button11->isVisible());
    QVERIFY(QTest::qWaitFor([&page] { return page.Edit15->hasFocus(); }));
    page.Edit15->selectAll();
    testkit::type(page.Edit15, name);
    QTest::keyClick(page.Edit15, Qt::Key_Return);
    QVERIFY(page.DBGrid2->hasFocus());
    QVERIFY(!page.GroupBox8->isVisible());
    QVERIFY(page.BitBtn13->isVisible() && page.Button8->isVisible() && page.Panel8->isVisible() &&
            page.Button11->isVisible());
}

QList<kadmor::DbEdit*> TestGradeBook::gradeBoxes() const
{
    QList<kadmor::DbEdit*> boxes;
    for (int slot = 0; slot < kadmor::schema::grades::slotCount; ++slot) {
        const QString field = kadmor::schema::grades::slotField(slot);
        for (auto* box : m_fixture.form->p5oprznamky->DBEdit2->parentWidget()->findChildren<kadmor::DbEdit*>()) {
            if (box->fieldName() == field)
                boxes.append(box);
        }
    }
    return boxes;
}

void TestGradeBook::enteringNeedsThePassword_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("entered");
    QTest::newRow("the teacher's") << "UCITEL" << true;
    QTest::newRow("a wrong one") << "ZAK" << false;
}

void TestGradeBook::enteringNeedsThePassword()
{
    QFETCH(QString, password);
    QFETCH(bool, entered);
    start(alfaBetaGama);
    m_fixture.dialogs->queuePassword(password);
    if (!entered)
        m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn8"));
    Events expected{Event::password()};
    if (!entered)
        expected += {Event::beep(), Event::message(BoxType::Warning,
                                                   QStringLiteral("Zkoušet může pouze oprávněná osoba!"), Buttons::Ok)};
    QCOMPARE(m_fixture.dialogs->takeEvents(), expected);
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(),
             int(entered ? TForm1::p4hodnoceniIndex : TForm1::p2zaktabulIndex));
    if (entered) {
        QVERIFY(QTest::qWaitFor([this] { return m_fixture.form->p4hodnoceni->DBGrid2->hasFocus(); }));
        testkit::click(*m_fixture.form, QStringLiteral("BitBtn11"));
        QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    }
}

void TestGradeBook::theGridShowsTheFinalGradeAndTheAverage()
{
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    start({{"Alfa", "122"}, {"Beta", "23"}, {"Gama", ""}});
    enter();
    kadmor::TableModel* model = m_fixture.form->p4hodnoceni->DBGrid2->model();
    const int kon = model->columnOfField(QStringLiteral("kon"));
    const int average = model->columnOfField(QStringLiteral("PRUM"));
    const int count = model->columnOfField(QStringLiteral("CPZ"));
    QVERIFY(kon > model->columnOfField(QStringLiteral("Á")) && count > kon && average > count);
    QCOMPARE(model->data(model->index(0, kon)).toString(), QStringLiteral("2"));
    QCOMPARE(model->data(model->index(0, average)).toString(), QStringLiteral("1,67"));
    QCOMPARE(model->data(model->index(1, kon)).toString(), QStringLiteral("3"));
    QCOMPARE(model->data(model->index(1, average)).toString(), QStringLiteral("2,5"));
    QCOMPARE(model->data(model->index(2, kon)).toString(), QString());
    QCOMPARE(model->data(model->index(0, kon), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    const QFont finalGrade = model->data(model->index(0, kon), Qt::FontRole).value<QFont>();
    QVERIFY(finalGrade.bold());
    QVERIFY(finalGrade.pointSizeF() > m_fixture.form->p4hodnoceni->DBGrid2->font().pointSizeF());
    QCOMPARE(model->data(model->index(0, average), Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    QCOMPARE(model->headerData(average, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(), QColor(Qt::yellow));
    QCOMPARE(model->data(model->index(0, count), Qt::ForegroundRole).value<QColor>(), QColor(Qt::darkGreen));
    QLocale::setDefault(QLocale::c());
}

void TestGradeBook::writingATestGrade_data()
{
    QTest::addColumn<QString>("grades");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("gradesAfter");
    QTest::addColumn<QString>("countAfter");
    QTest::addColumn<QString>("averageAfter");
    QTest::addColumn<QString>("finalGrade");
    const QString full = QStringLiteral("1234512345123451234512345123");
    QTest::newRow("1, 2 and a 2: kon 2") << "12"
                                         << "2" << Answer::Yes << "122"
                                         << "3"
                                         << "1.67"
                                         << "2";
    QTest::newRow("2 and a 3: kon 3") << "2"
                                      << "3" << Answer::Yes << "23"
                                      << "2"
                                      << "2.5"
                                      << "3";
    QTest::newRow("the first empty slot, B") << "1 3"
                                             << "5" << Answer::Yes << "153"
                                             << "3"
                                             << "3.0"
                                             << "3";
    QTest::newRow("a full book: no slot changes") << full << "1" << Answer::Yes << full << "28"
                                                  << "2.89"
                                                  << "3";
    QTest::newRow("No: nothing written") << "2"
                                         << "1" << Answer::No << "2"
                                         << "1"
                                         << "2.0"
                                         << "2";
}

void TestGradeBook::writingATestGrade()
{
    QFETCH(QString, grades);
    QFETCH(QString, grade);
    QFETCH(Answer, answer);
    QFETCH(QString, gradesAfter);
    QFETCH(QString, countAfter);
    QFETCH(QString, averageAfter);
    QFETCH(QString, finalGrade);
    start({{"Alfa", "1"}, {"Beta", grades}, {"Gama", "4"}});
    enter();
    select(QStringLiteral("Beta"));
    m_fixture.form->showPage(TForm1::p6zkouseniIndex);
    m_fixture.form->testGrade = grade;
    m_fixture.dialogs->queueAnswer(answer);
    m_fixture.form->zapisznamku();
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{Event::beep(), Event::message(BoxType::Confirmation, QStringLiteral("Zapsat známku do deníčku?"),
                                                   Buttons::YesNo)}));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    QCOMPARE(m_fixture.form->status(), QString());
    QVERIFY(QTest::qWaitFor([this] { return m_fixture.form->p4hodnoceni->DBGrid2->hasFocus(); }));
    QCOMPARE(field(QStringLiteral("JMENO")), QStringLiteral("Beta"));
    QCOMPARE(field(QStringLiteral("kon")), finalGrade);
    const Records pupils = onDisk();
    QCOMPARE(pupils.size(), 3);
    QCOMPARE(pupils[1], (QStringList{"2.", "Beta", gradesAfter, countAfter, averageAfter}));
    QCOMPARE(pupils[0][2], QStringLiteral("1"));
    QCOMPARE(pupils[2][2], QStringLiteral("4"));
}

void TestGradeBook::correctingGradesRecounts_data()
{
    QTest::addColumn<QString>("grades");
    QTest::addColumn<QString>("typed"); // a character per slot box from A: "-" clears it, "." leaves it
    QTest::addColumn<QString>("typedCount");
    QTest::addColumn<QStringList>("after"); // POR, JMENO, slots, CPZ, PRUM
    QTest::addColumn<QString>("finalGrade");
    QTest::newRow("every grade cleared: the average stays, no final grade")
        << "243"
        << "---"
        << "" << QStringList{"2.", "Beta", "", "0", "3.0"} << "";
    QTest::newRow("a grade added and a count typed by hand")
        << "24"
        << "..5"
        << "9" << QStringList{"2.", "Beta", "245", "3", "3.67"} << "4";
}

void TestGradeBook::correctingGradesRecounts()
{
    QFETCH(QString, grades);
    QFETCH(QString, typed);
    QFETCH(QString, typedCount);
    QFETCH(QStringList, after);
    QFETCH(QString, finalGrade);
    start({{"Alfa", "1"}, {"Beta", grades}, {"Gama", "4"}});
    enter();
    select(QStringLiteral("Beta"));
    // The numbers were written out of order by another program; OK numbers them again.
    m_fixture.form->Table2->edit();
    m_fixture.form->Table2->fieldByName(QStringLiteral("POR")).setAsString(QStringLiteral("7."));
    m_fixture.form->Table2->post();
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn10"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p5oprznamkyIndex));
    Ui::GradeEditPage& page = *m_fixture.form->p5oprznamky;
    QCOMPARE(page.DBEdit2->text(), QStringLiteral("Beta"));
    const QList<kadmor::DbEdit*> boxes = gradeBoxes();
    QCOMPARE(boxes.size(), 28);
    for (int slot = 0; slot < typed.size(); ++slot) {
        if (typed[slot] == QLatin1Char('.'))
            continue;
        testkit::focus(boxes[slot]);
        boxes[slot]->selectAll();
        if (typed[slot] == QLatin1Char('-'))
            QTest::keyClick(boxes[slot], Qt::Key_Backspace);
        else
            testkit::type(boxes[slot], typed.mid(slot, 1));
    }
    if (!typedCount.isEmpty()) {
        testkit::focus(page.DBEdit36);
        page.DBEdit36->selectAll();
        testkit::type(page.DBEdit36, typedCount);
    }
    testkit::click(*m_fixture.form, QStringLiteral("Button3"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    QCOMPARE(field(QStringLiteral("JMENO")), QStringLiteral("Beta"));
    QCOMPARE(field(QStringLiteral("kon")), finalGrade);
    const Records pupils = onDisk();
    QCOMPARE(pupils.size(), 3);
    QCOMPARE(pupils[1], after);
}

void TestGradeBook::cancelDropsTheCorrections()
{
    start(alfaBetaGama);
    enter();
    select(QStringLiteral("Beta"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn10"));
    kadmor::DbEdit* first = gradeBoxes().value(0);
    testkit::focus(first);
    first->selectAll();
    testkit::type(first, QStringLiteral("1"));
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton5"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
    QVERIFY(!m_fixture.form->Table2->isEditing());
    QCOMPARE(onDisk()[1], (QStringList{"2.", "Beta", "55", "2", "5.0"}));
}

void TestGradeBook::addedPupilsAreNumberedAndSortingKeepsTheNumbers()
{
    start({});
    enter();
    addPupil(QStringLiteral("Gama"));
    addPupil(QStringLiteral("Alfa"));
    addPupil(QStringLiteral("Beta"));
    // The name box keeps the last name for the next pupil.
    QCOMPARE(m_fixture.form->p4hodnoceni->Edit15->text(), QStringLiteral("Beta"));
    Records pupils = onDisk();
    QCOMPARE(pupils.size(), 3);
    QCOMPARE((QStringList{pupils[0][0], pupils[0][1]}), (QStringList{"3.", "Gama"}));
    QCOMPARE((QStringList{pupils[1][0], pupils[1][1]}), (QStringList{"1.", "Alfa"}));
    QCOMPARE((QStringList{pupils[2][0], pupils[2][1]}), (QStringList{"2.", "Beta"}));

    // Averages that order them the other way round; sorting does not renumber.
    kadmor::Table* book = m_fixture.form->Table2;
    for (const auto& [name, average] : {std::pair{"Alfa", "4"}, std::pair{"Beta", "2"}, std::pair{"Gama", "1"}}) {
        select(QString::fromUtf8(name));
        book->edit();
        book->fieldByName(QStringLiteral("PRUM")).setAsString(QString::fromUtf8(average));
        book->post();
    }
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton7"));
    QCOMPARE(m_fixture.form->status(), QStringLiteral("Setříděno podle průměru"));
    book->first();
    QCOMPARE(field(QStringLiteral("JMENO")), QStringLiteral("Gama"));
    QCOMPARE(field(QStringLiteral("POR")), QStringLiteral("3."));
    QCOMPARE(onDisk()[0][0], QStringLiteral("3."));
    // A pupil added now numbers them in the order shown.
    addPupil(QStringLiteral("Delta"));
    pupils = onDisk();
    QCOMPARE(pupils.size(), 4);
    QCOMPARE((QStringList{pupils[0][0], pupils[1][0], pupils[2][0], pupils[3][0]}),
             (QStringList{"2.", "4.", "3.", "1."})); // Delta without an average first, Gama, Beta, Alfa
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton6"));
    QCOMPARE(m_fixture.form->status(), QStringLiteral("Setříděno podle jména"));
    book->first();
    QCOMPARE(field(QStringLiteral("JMENO")), QStringLiteral("Alfa"));
}

void TestGradeBook::aPupilWithoutANameCannotBeTested()
{
    start(alfaBetaGama);
    enter();
    addPupil(QString());
    QCOMPARE(field(QStringLiteral("JMENO")), QString());
    QCOMPARE(onDisk().size(), 4);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn9"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{Event::beep(),
                     Event::message(BoxType::Warning,
                                    QStringLiteral("První musí být zapsáno jméno žáka. Stiskněte tlačítko NOVÝ."),
                                    Buttons::Ok)}));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
}

void TestGradeBook::searching_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::newRow("Be") << "Be"
                        << "Beta";
    QTest::newRow("Bz") << "Bz"
                        << "Gama";
    QTest::newRow("nothing typed: the first") << ""
                                              << "Alfa";
}

void TestGradeBook::searching()
{
    QFETCH(QString, typed);
    QFETCH(QString, found);
    start({{"Gama", "1"}, {"Beta", "2"}, {"Alfa", "3"}});
    enter();
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton7"));
    select(QStringLiteral("Gama"));
    Ui::GradeBookPage& page = *m_fixture.form->p4hodnoceni;
    testkit::click(*m_fixture.form, QStringLiteral("Button4"));
    QVERIFY(QTest::qWaitFor([&page] { return page.Edit3->hasFocus(); }));
    testkit::type(page.Edit3, typed);
    QTest::keyClick(page.Edit3, Qt::Key_Return);
    QVERIFY(page.DBGrid2->hasFocus());
    QCOMPARE(field(QStringLiteral("JMENO")), found);
    QCOMPARE(m_fixture.form->Table2->indexName(), QStringLiteral("jmeno"));
    QCOMPARE(m_fixture.form->status(), QStringLiteral("Setříděno podle jména"));
}

void TestGradeBook::deletingAPupil_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<Records>("left");
    QTest::newRow("Yes") << Answer::Yes << Records{{"1.", "Alfa", "1", "1", "1.0"}, {"2.", "Gama", "3", "1", "3.0"}};
    QTest::newRow("No") << Answer::No
                        << Records{{"1.", "Alfa", "1", "1", "1.0"},
                                   {"2.", "Beta", "55", "2", "5.0"},
                                   {"3.", "Gama", "3", "1", "3.0"}};
}

void TestGradeBook::deletingAPupil()
{
    QFETCH(Answer, answer);
    QFETCH(Records, left);
    start(alfaBetaGama);
    enter();
    select(QStringLiteral("Beta"));
    m_fixture.dialogs->queueAnswer(answer);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn13"));
    QCOMPARE(
        m_fixture.dialogs->takeEvents(),
        (Events{Event::beep(), Event::message(BoxType::Confirmation,
                                              QStringLiteral("Oravdu chceš smazat tento záznam?"), Buttons::YesNo)}));
    QCOMPARE(onDisk(), left);
    QCOMPARE(field(QStringLiteral("JMENO")), QString::fromLatin1(answer == Answer::Yes ? "Gama" : "Beta"));
    QVERIFY(m_fixture.form->p4hodnoceni->DBGrid2->hasFocus());
}

void TestGradeBook::deletingAllPupils_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("typed"); // the empty text stands for Cancel
    QTest::addColumn<int>("left");
    QTest::newRow("7381") << Answer::Yes << "7381" << 0;
    QTest::newRow("7381 and a space") << Answer::Yes << "7381 " << 3;
    QTest::newRow("another number") << Answer::Yes << "7380" << 3;
    QTest::newRow("cancelled") << Answer::Yes << "" << 3;
    QTest::newRow("No") << Answer::No << "" << 3;
}

void TestGradeBook::deletingAllPupils()
{
    QFETCH(Answer, answer);
    QFETCH(QString, typed);
    QFETCH(int, left);
    start(alfaBetaGama);
    enter();
    m_fixture.form->Timer1->start(); // browsing: the refresh runs
    m_fixture.dialogs->queueAnswer(answer);
    if (answer == Answer::Yes)
        m_fixture.dialogs->queueInput(typed);
    testkit::click(*m_fixture.form, QStringLiteral("Button11"));
    Events expected{
        Event::beep(),
        Event::message(BoxType::Confirmation, QStringLiteral("Opravdu chcete smazat všechny žáky?"), Buttons::YesNo)};
    if (answer == Answer::Yes)
        expected += Event::input(QStringLiteral("Smazání všech žáků"), QStringLiteral("Pro výmaz zadej číslo: 7381"),
                                 QString());
    QCOMPARE(m_fixture.dialogs->takeEvents(), expected);
    QCOMPARE(onDisk().size(), left);
    QVERIFY(m_fixture.form->Table2->isOpen());
    QCOMPARE(m_fixture.form->Table2->recordCount(), left);
    QVERIFY(m_fixture.form->Timer1->isActive());
    QVERIFY(QFile::exists(m_fixture.installation->dataFolder() + QStringLiteral("/znamky.mdx")));
}

// Another program that holds the grade book open keeps it from being emptied in place; the blank
// tables of the templates take its place.
void TestGradeBook::deletingAllPupilsFallsBackToTheTemplates()
{
    start(alfaBetaGama);
    enter();
    kadmor::Table other(kadmor::layouts::grades());
    other.setDatabaseName(m_fixture.installation->dataFolder());
    other.setTableName(QStringLiteral("znamky.dbf"));
    other.open();
    m_fixture.dialogs->queueAnswer(Answer::Yes);
    m_fixture.dialogs->queueInput(QStringLiteral("7381"));
    testkit::click(*m_fixture.form, QStringLiteral("Button11"));
    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.size(), 4);
    QCOMPARE(events.last(), Event::beep());
    QCOMPARE(onDisk(), Records{});
    QVERIFY(m_fixture.form->Table2->isOpen());
    QCOMPARE(m_fixture.form->Table2->recordCount(), 0);
    QVERIFY(m_fixture.form->Timer1->isActive());
    // The book works on: a new pupil reaches the new file.
    addPupil(QStringLiteral("Delta"));
    QCOMPARE(onDisk(), (Records{{"1.", "Delta", "", "", ""}}));
}

void TestGradeBook::theDifficultWords()
{
    start(alfaBetaGama);
    enter();
    kadmor::Table* wrong = m_fixture.form->Table5;
    wrong->append();
    wrong->fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("dog"));
    wrong->fieldByName(QStringLiteral("CESK")).setAsString(QStringLiteral("pes"));
    wrong->fieldByName(QStringLiteral("ZVUK")).setAsString(QStringLiteral("dog"));
    wrong->post();
    testkit::click(*m_fixture.form, QStringLiteral("Button8"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p10chybyIndex));
    Ui::WrongAnswersPage& page = *m_fixture.form->p10chyby;
    QVERIFY(QTest::qWaitFor([&page] { return page.DBGrid5->hasFocus(); }));
    kadmor::TableModel* model = page.DBGrid5->model();
    QCOMPARE(model->columnCount(), 3);
    QCOMPARE(model->data(model->index(0, 1)).toString(), QStringLiteral("pes"));
    // Without a sound device the player's own message is shown; the grid gets the focus back.
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn24"));
    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.size(), 1);
    QCOMPARE(events[0].type, BoxType::Error);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn23"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
}

QTEST_MAIN(TestGradeBook)
#include "tst_grade_book.moc"
