// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor and the deletion of words in the real main window, each case on its own fresh
// installation; what reaches the disk is read back with an independent dBASE reader.
#include "installation.h"
#include "main_window_fixture.h"
#include "records_on_disk.h"
#include "running_program.h"
#include "test_names.h"

#include "scripted_dialogs.h"
#include "shell/tform1.h"
#include "storage/layouts.h"
#include "storage/table.h"
#include "table_rows.h"
#include "ui_new_words_page.h"
#include "ui_word_edit_page.h"
#include "ui_word_list_page.h"

#include <QApplication>
#include <QFile>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

const QStringList wordFields = {"LEK", "ANGL", "CES", "OBR", "ZVUK"};
const QStringList newWordFields = {"LE", "AN", "CE", "OB", "ZV"};

// Changes or adds records of a table of the installation before the program starts.
struct TableOnDisk
{
    TableOnDisk(const QString& dataFolder, const kadmor::TableLayout& layout) : table(layout)
    {
        table.setDatabaseName(dataFolder);
        table.setTableName(layout.fileName);
        table.open();
    }
    void set(const QString& field, const QString& value) { table.fieldByName(field).setAsString(value); }
    void editWord(const QString& word, const QList<std::pair<QString, QString>>& values)
    {
        for (table.first(); !table.eof(); table.next()) {
            if (table.fieldByName(QStringLiteral("ANGL")).asString() != word)
                continue;
            table.edit();
            for (const auto& [field, value] : values)
                set(field, value);
            table.post();
            return;
        }
        QFAIL(qPrintable(QStringLiteral("no word ") + word));
    }
    void append(const testkit::RowValues& values) { testkit::appendRow(table, values); }
    kadmor::Table table;
};

Records withWord(const Records& records, const QString& word)
{
    Records found;
    for (const QStringList& record : records) {
        if (record.value(1) == word)
            found.append(record);
    }
    return found;
}

} // namespace

class TestWordEditing : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void editingAWordTakesItsLessonFromTheLessonBox_data();
    void editingAWordTakesItsLessonFromTheLessonBox();
    void okRightAfterEditCopiesTheWord_data();
    void okRightAfterEditCopiesTheWord();
    void aNewWordIsCheckedForDuplicates_data();
    void aNewWordIsCheckedForDuplicates();
    void newWordTwiceSavesTheFirst();
    void leavingTheWordFieldAgainKeepsOnlyTheWord();
    void cancelDropsTheChanges_data();
    void cancelDropsTheChanges();
    void deletingAWord_data();
    void deletingAWord();

  private:
    void start();
    void findWord(const QString& word);
    void openEditor();
    void tab();
    void replaceText(QLineEdit* field, const QString& text);
    // "&Nové slovo", then the word and its Czech word typed, each field left with Tab.
    void typeNewWord(const QString& word, const QString& czech);
    Records words() const;
    Records newWords() const;

    testkit::MainWindowFixture m_fixture;
};

void TestWordEditing::init()
{
    m_fixture.setUp();
}

void TestWordEditing::cleanup()
{
    m_fixture.tearDown();
}

void TestWordEditing::start()
{
    m_fixture.startOnWordList();
}

void TestWordEditing::findWord(const QString& word)
{
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn14"));
    testkit::type(m_fixture.form->p2zaktabul->Edit1, word);
    QTest::keyClick(m_fixture.form->p2zaktabul->Edit1, Qt::Key_Return);
    QCOMPARE(m_fixture.form->Table1->fieldByName(QStringLiteral("ANGL")).asString(), word);
}

// "&edit" as the teacher, who types the password the first time.
void TestWordEditing::openEditor()
{
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn3"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{Event::password()});
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p3editIndex));
    QVERIFY(!m_fixture.form->Timer1->isActive());
    QVERIFY(QTest::qWaitFor([this] { return m_fixture.form->p3edit->Edit17->hasFocus(); }));
}

void TestWordEditing::tab()
{
    QWidget* from = QApplication::focusWidget();
    QVERIFY(from != nullptr);
    QTest::keyClick(from, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != from);
}

void TestWordEditing::replaceText(QLineEdit* field, const QString& text)
{
    QVERIFY(field->hasFocus());
    field->selectAll();
    testkit::type(field, text);
    QCOMPARE(field->text(), text);
}

void TestWordEditing::typeNewWord(const QString& word, const QString& czech)
{
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn6"));
    tab();
    testkit::type(m_fixture.form->p3edit->DBEdit1, word);
    tab();
    testkit::type(m_fixture.form->p3edit->DBEdit3, czech);
    tab();
}

Records TestWordEditing::words() const
{
    return testkit::recordsOnDisk(m_fixture.installation->dataFolder() + QStringLiteral("/kadmor.dbf"), wordFields);
}

Records TestWordEditing::newWords() const
{
    return testkit::recordsOnDisk(m_fixture.installation->dataFolder() + QStringLiteral("/newwords.dbf"),
                                  newWordFields);
}

void TestWordEditing::editingAWordTakesItsLessonFromTheLessonBox_data()
{
    QTest::addColumn<QString>("typedLesson");
    QTest::addColumn<QString>("lessonBox"); // what Edit17 takes on entering
    QTest::addColumn<QString>("storedLesson");
    QTest::newRow("lesson 2") << "2"
                              << "  2"
                              << "  2";
    QTest::newRow("all lessons: the word leaves its lesson") << ""
                                                             << "   "
                                                             << "";
}

void TestWordEditing::editingAWordTakesItsLessonFromTheLessonBox()
{
    QFETCH(QString, typedLesson);
    QFETCH(QString, lessonBox);
    QFETCH(QString, storedLesson);
    start();
    m_fixture.chooseLesson(typedLesson);
    findWord(QStringLiteral("house"));
    openEditor();
    Ui::WordEditPage& page = *m_fixture.form->p3edit;
    QCOMPARE(page.Edit17->text(), lessonBox);
    tab();
    QCOMPARE(page.Edit17->text(), lessonBox.isEmpty() ? QStringLiteral("   ") : lessonBox);
    tab();
    replaceText(page.DBEdit3, QStringLiteral("domeček"));
    tab();
    testkit::click(*m_fixture.form, QStringLiteral("Button2"));

    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    QVERIFY(m_fixture.form->Timer1->isActive());
    const QStringList stored = {storedLesson, "house", "domeček", "house.bmp", "house"};
    QCOMPARE(withWord(words(), QStringLiteral("house")), Records{stored});
    QCOMPARE(newWords(), Records{stored});
}

void TestWordEditing::okRightAfterEditCopiesTheWord_data()
{
    QTest::addColumn<bool>("copying"); // "připisovat"
    QTest::newRow("připisovat ticked") << true;
    QTest::newRow("připisovat not ticked") << false;
}

void TestWordEditing::okRightAfterEditCopiesTheWord()
{
    QFETCH(bool, copying);
    start();
    QVERIFY(m_fixture.form->p11novaslova->CheckBox5->isChecked());
    m_fixture.form->p11novaslova->CheckBox5->setChecked(copying);
    const Records before = words();
    findWord(QStringLiteral("cat"));
    openEditor();
    testkit::click(*m_fixture.form, QStringLiteral("Button2"));

    QCOMPARE(words(), before);
    const QStringList cat = {"  1", "cat", "kočka,kočička", "cat.bmp", "cat"};
    QCOMPARE(newWords(), copying ? Records{cat} : Records{});
}

void TestWordEditing::aNewWordIsCheckedForDuplicates_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("czech");
    QTest::addColumn<bool>("duplicate");
    QTest::newRow("a word of lesson 1") << "dog"
                                        << "čokl" << true;
    QTest::newRow("a new word") << "zebra"
                                << "zebra" << false;
}

void TestWordEditing::aNewWordIsCheckedForDuplicates()
{
    QFETCH(QString, word);
    QFETCH(QString, czech);
    QFETCH(bool, duplicate);
    start();
    m_fixture.chooseLesson(QStringLiteral("2"));
    openEditor();
    Ui::WordEditPage& page = *m_fixture.form->p3edit;
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn6"));
    QVERIFY(QTest::qWaitFor([&page] { return page.Edit17->hasFocus(); }));
    QCOMPARE(page.Edit17->text(), QStringLiteral("  2"));
    tab();
    testkit::type(page.DBEdit1, word);
    if (duplicate)
        m_fixture.dialogs->queueAnswer(Answer::Ok);
    tab();

    Events expected = {Event::beep()};
    if (duplicate)
        expected.append(Event::message(BoxType::Information,
                                       QStringLiteral("Pozor, toto slovo již existuje!\rlekce:   1\r") +
                                           m_fixture.form->languageName + QStringLiteral(": dog\rčesky: pes,pejsek"),
                                       Buttons::Ok));
    QCOMPARE(m_fixture.dialogs->takeEvents(), expected);
    // Editing goes on in a fresh record of the current lesson's list holding only the word.
    QCOMPARE(page.DBEdit1->text(), word);
    QCOMPARE(page.DBEdit3->text(), QString());
    QCOMPARE(m_fixture.form->Table1->state(), kadmor::TableState::Insert);
    QCOMPARE(m_fixture.form->Table1->indexName(), QStringLiteral("angl"));

    testkit::type(page.DBEdit3, czech);
    tab();
    QCOMPARE(page.DBEdit5->text(), word);
    testkit::click(*m_fixture.form, QStringLiteral("Button2"));

    const QStringList added = {"  2", word, czech, "", word};
    QVERIFY(words().contains(added));
    QCOMPARE(withWord(words(), word).size(), duplicate ? 2 : 1);
    // "&Nové slovo" first copied the word the editor was opened on (the first of lesson 2).
    QCOMPARE(newWords(), (Records{{"  2", "bag", "taška", "", "bag"}, added}));
    QCOMPARE(m_fixture.form->Table1->recordCount(), 18);
}

void TestWordEditing::newWordTwiceSavesTheFirst()
{
    start();
    m_fixture.chooseLesson(QStringLiteral("2"));
    openEditor();
    Ui::WordEditPage& page = *m_fixture.form->p3edit;
    typeNewWord(QStringLiteral("zebra"), QStringLiteral("zebra"));
    m_fixture.dialogs->takeEvents();

    testkit::click(*m_fixture.form, QStringLiteral("BitBtn6"));
    const QStringList zebra = {"  2", "zebra", "zebra", "", "zebra"};
    QCOMPARE(withWord(words(), QStringLiteral("zebra")), Records{zebra});
    QCOMPARE(newWords().value(1), zebra);
    QCOMPARE(m_fixture.form->Table1->state(), kadmor::TableState::Insert);
    QVERIFY(QTest::qWaitFor([&page] { return page.Edit17->hasFocus(); }));
    QCOMPARE(page.Edit17->text(), QStringLiteral("  2"));
}

// Going back into the word field of a new word and leaving it again starts once more from a record
// that holds only the word; the other fields are written again when the Czech word is left.
void TestWordEditing::leavingTheWordFieldAgainKeepsOnlyTheWord()
{
    start();
    m_fixture.chooseLesson(QStringLiteral("2"));
    openEditor();
    Ui::WordEditPage& page = *m_fixture.form->p3edit;
    typeNewWord(QStringLiteral("zebra"), QStringLiteral("zebra"));
    testkit::focus(page.DBEdit1);
    testkit::focus(page.DBEdit3);
    QCOMPARE(page.DBEdit1->text(), QStringLiteral("zebra"));
    QCOMPARE(page.DBEdit3->text(), QString());
    QCOMPARE(page.DBEdit5->text(), QString());
    testkit::type(page.DBEdit3, QStringLiteral("zebřička"));
    tab();
    testkit::click(*m_fixture.form, QStringLiteral("Button2"));
    m_fixture.dialogs->takeEvents();
    QCOMPARE(withWord(words(), QStringLiteral("zebra")), (Records{{"  2", "zebra", "zebřička", "", "zebra"}}));
}

void TestWordEditing::cancelDropsTheChanges_data()
{
    QTest::addColumn<bool>("newWord");
    QTest::newRow("an edited word") << false;
    QTest::newRow("a new word") << true;
}

void TestWordEditing::cancelDropsTheChanges()
{
    QFETCH(bool, newWord);
    start();
    const Records before = words();
    findWord(QStringLiteral("cat"));
    openEditor();
    Ui::WordEditPage& page = *m_fixture.form->p3edit;
    if (newWord)
        testkit::click(*m_fixture.form, QStringLiteral("BitBtn6"));
    tab();
    replaceText(page.DBEdit1, QStringLiteral("kitten"));
    tab();
    replaceText(page.DBEdit3, QStringLiteral("kotě"));
    tab();
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton1"));
    m_fixture.dialogs->takeEvents();

    QCOMPARE(words(), before);
    QCOMPARE(m_fixture.form->Table1->state(), kadmor::TableState::Browse);
    QCOMPARE(m_fixture.form->Table1->recordCount(), 16);
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p2zaktabulIndex));
    QVERIFY(m_fixture.form->Timer1->isActive());
}

void TestWordEditing::deletingAWord_data()
{
    using Prepare = std::function<void(const QString& dataFolder, const QString& folder)>;
    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("sound");   // relative to the application folder
    QTest::addColumn<QString>("picture"); // relative to the application folder
    QTest::addColumn<bool>("soundKept");
    QTest::addColumn<bool>("pictureKept");
    QTest::addColumn<QString>("error"); // "" when none; %1 is the application folder
    QTest::addColumn<int>("catsLeft");  // records of the word "cat" afterwards

    const QString catSound = QStringLiteral("sounds/cat.wav");
    const QString catPicture = QStringLiteral("pictures/cat.bmp");
    const Prepare nothing = [](const QString&, const QString&) {};
    const auto words = [](const QString& data) { return TableOnDisk(data, kadmor::layouts::words()); };

    QTest::newRow("its own files") << nothing << Answer::Yes << catSound << catPicture << false << false << "" << 0;
    QTest::newRow("answered No") << nothing << Answer::No << catSound << catPicture << true << true << "" << 1;
    QTest::newRow("no files named") << Prepare([words](const QString& data, const QString&) {
        words(data).editWord("cat", {{"ZVUK", ""}, {"OBR", ""}});
    }) << Answer::Yes << catSound << catPicture
                                    << true << true << "" << 0;
    QTest::newRow("sound shared with a word of another lesson")
        << Prepare([words](const QString& data, const QString&) {
               words(data).append({{"LEK", "  3"}, {"ANGL", "cat"}, {"CES", "kocour"}, {"ZVUK", "cat"}});
           })
        << Answer::Yes << catSound << catPicture << true << false << "" << 1;
    QTest::newRow("picture shared with another word") << Prepare([words](const QString& data, const QString&) {
        words(data).editWord("dog", {{"OBR", "cat.bmp"}});
    }) << Answer::Yes << catSound << catPicture << false
                                                      << true << "" << 0;
    QTest::newRow("sound named by a phrase") << Prepare([](const QString& data, const QString&) {
        TableOnDisk phrases(data, kadmor::layouts::phrases());
        phrases.table.first();
        phrases.table.edit();
        phrases.set("ZVUK", "cat");
        phrases.table.post();
    }) << Answer::Yes << catSound << catPicture
                                             << true << false << "" << 0;
    QTest::newRow("names reaching outside their folders")
        << Prepare([words](const QString& data, const QString& folder) {
               words(data).editWord("cat", {{"ZVUK", "../bait"}, {"OBR", "../bait.bmp"}});
               QFile::copy(folder + "/sounds/cat.wav", folder + "/bait.wav");
               QFile::copy(folder + "/pictures/cat.bmp", folder + "/bait.bmp");
           })
        << Answer::Yes << "bait.wav"
        << "bait.bmp" << true << true << "" << 0;
    QTest::newRow("missing sound: reported, the picture stays")
        << Prepare([words](const QString& data, const QString&) {
               words(data).editWord("cat", {{"ZVUK", "ghost"}});
           })
        << Answer::Yes << catSound << catPicture << true << true << "Soubor \"%1/sounds/ghost.wav\" neexistuje." << 0;
}

void TestWordEditing::deletingAWord()
{
    using Prepare = std::function<void(const QString& dataFolder, const QString& folder)>;
    QFETCH(Prepare, prepare);
    QFETCH(Answer, answer);
    QFETCH(QString, sound);
    QFETCH(QString, picture);
    QFETCH(bool, soundKept);
    QFETCH(bool, pictureKept);
    QFETCH(QString, error);
    QFETCH(int, catsLeft);
    const QString folder = m_fixture.installation->folder();
    prepare(m_fixture.installation->dataFolder(), folder);
    QVERIFY(QFile::exists(folder + u'/' + sound) && QFile::exists(folder + u'/' + picture));
    start();
    const int wordsBefore = words().size();
    findWord(QStringLiteral("cat"));

    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    m_fixture.dialogs->queueAnswer(answer);
    if (!error.isEmpty())
        m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn7"));
    Events expected = {
        Event::password(), Event::beep(),
        Event::message(BoxType::Warning, QStringLiteral("Opravdu chceš smazat tento záznam?"), Buttons::YesNo)};
    if (!error.isEmpty())
        expected.append(Event::message(BoxType::Error, error.arg(folder), Buttons::Ok));
    QCOMPARE(m_fixture.dialogs->takeEvents(), expected);

    QCOMPARE(QFile::exists(folder + u'/' + sound), soundKept);
    QCOMPARE(QFile::exists(folder + u'/' + picture), pictureKept);
    const bool deleted = answer == Answer::Yes;
    QCOMPARE(words().size(), wordsBefore - (deleted ? 1 : 0));
    QCOMPARE(withWord(words(), QStringLiteral("cat")).size(), catsLeft);
    QCOMPARE(m_fixture.form->Table1->recordCount(), deleted ? 15 : 16);
}

QTEST_MAIN(TestWordEditing)
#include "tst_word_editing.moc"
