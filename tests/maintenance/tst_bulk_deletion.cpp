// SPDX-License-Identifier: GPL-3.0-or-later
// Deleting in bulk and packing in the real main window, each case on its own fresh installation;
// what reaches the disk is read back with an independent dBASE reader.
#include "installation.h"
#include "main_window_fixture.h"
#include "records_on_disk.h"
#include "running_program.h"
#include "table_rows.h"
#include "test_names.h"

#include "base/error.h"
#include "scripted_dialogs.h"
#include "shell/tform1.h"
#include "storage/layouts.h"
#include "storage/table.h"
#include "ui_phrase_page.h"
#include "ui_word_list_page.h"

#include <QDir>
#include <QFile>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <functional>
#include <memory>

namespace {

const QStringList wordFields = {"LEK", "ANGL", "CES", "OBR", "ZVUK"};
const QStringList phraseFields = {"LEK", "ANGL", "CES", "ZVUK"};
const QStringList pupilFields = {"JMENO"};
const QStringList keptSounds = {"mujzvuk.wav", "newzvuk.wav", "nosound.wav", "varovani.wav"};
const QString mayDelete = QStringLiteral("Mazat může pouze oprávněná osoba!");
const QString mayEdit = QStringLiteral("Editovat může pouze oprávněná osoba!");

Events confirmation(const QString& question)
{
    return {Event::password(), Event::beep(),
            Event::message(BoxType::Warning, question + QStringLiteral("\rMůžete ztratit práci za několik let!!!"),
                           Buttons::YesNo),
            Event::input(QStringLiteral("Smazání všech dat"), QStringLiteral("Pro výmaz zadej číslo: 7381"), "")};
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

void writeFile(const QString& path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("RIFF");
}

// The record count in a table file's header: after packing it counts the live records alone.
int recordsInFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(8);
    return header.size() == 8 ? int(qFromLittleEndian<quint32>(header.constData() + 4)) : -1;
}

// A table of the installation opened by another program, here the test.
struct TableOnDisk
{
    TableOnDisk(const QString& folder, const kadmor::TableLayout& layout) : table(layout)
    {
        table.setDatabaseName(folder);
        table.setTableName(layout.fileName);
        table.open();
    }
    void editFirst(const QString& field, const QString& value)
    {
        table.first();
        table.edit();
        table.fieldByName(field).setAsString(value);
        table.post();
    }
    kadmor::Table table;
};

Records without(const Records& records, const QString& lesson)
{
    Records kept;
    for (const QStringList& record : records) {
        if (record.value(0) != lesson)
            kept.append(record);
    }
    return kept;
}

} // namespace

class TestBulkDeletion : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void anUnconfirmedDeletionChangesNothing_data();
    void anUnconfirmedDeletionChangesNothing();
    void deletingEverything();
    void deletingEverythingWhileATableIsHeld_data();
    void deletingEverythingWhileATableIsHeld();
    void deletingALessonsWords_data();
    void deletingALessonsWords();
    void aFileThatCannotBeDeletedAsksWhetherToGoOn_data();
    void aFileThatCannotBeDeletedAsksWhetherToGoOn();
    void deletingALessonsPhrasesFromTheMiddle();
    void packing_data();
    void packing();

  private:
    void start() { m_fixture.startOnWordList(); }
    void confirmWith(const QString& typed);
    QString data(const QString& name) const { return m_fixture.installation->dataFolder() + u'/' + name; }
    QString folder(const QString& name) const { return m_fixture.installation->folder() + u'/' + name; }
    Records words() const { return testkit::recordsOnDisk(data("kadmor.dbf"), wordFields); }
    Records phrases() const { return testkit::recordsOnDisk(data("fraze.dbf"), phraseFields); }
    Records pupils() const { return testkit::recordsOnDisk(data("znamky.dbf"), pupilFields); }
    Records newWords() const { return testkit::recordsOnDisk(data("newwords.dbf"), {"AN"}); }
    Records newPhrases() const { return testkit::recordsOnDisk(data("newfraze.dbf"), {"ANG"}); }

    testkit::MainWindowFixture m_fixture;
};

void TestBulkDeletion::init()
{
    m_fixture.setUp();
}

void TestBulkDeletion::cleanup()
{
    m_fixture.tearDown();
}

// The teacher's password, Yes to the warning, and the typed text in the input box.
void TestBulkDeletion::confirmWith(const QString& typed)
{
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    m_fixture.dialogs->queueAnswer(Answer::Yes);
    m_fixture.dialogs->queueInput(typed);
}

void TestBulkDeletion::anUnconfirmedDeletionChangesNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("password");
    QTest::addColumn<Answer>("warning");
    QTest::addColumn<QString>("typed"); // the empty text: Cancel
    const QString everything = QStringLiteral("Opravdu chceš smazat úplně všechno?");
    const QString lesson = QStringLiteral("Opravdu chceš smazat tuto lekci?");
    const QString lessonPhrases = QStringLiteral("Opravdu chceš smazat tyto fráze?");
    QTest::newRow("everything, a trailing space")
        << "BitBtn5" << everything << mayDelete << "UCITEL" << Answer::Yes << "7381 ";
    QTest::newRow("everything, No") << "BitBtn5" << everything << mayDelete << "UCITEL" << Answer::No << "";
    QTest::newRow("everything, a wrong password") << "BitBtn5" << everything << mayDelete << "ZAK" << Answer::No << "";
    QTest::newRow("lesson, a leading space") << "BitBtn35" << lesson << mayDelete << "UCITEL" << Answer::Yes << " 7381";
    QTest::newRow("lesson, Cancel") << "BitBtn35" << lesson << mayDelete << "UCITEL" << Answer::Yes << "";
    QTest::newRow("phrases, another number")
        << "BitBtn36" << lessonPhrases << mayEdit << "UCITEL" << Answer::Yes << "1738";
    QTest::newRow("phrases, a wrong password") << "BitBtn36" << lessonPhrases << mayEdit << "ZAK" << Answer::No << "";
}

void TestBulkDeletion::anUnconfirmedDeletionChangesNothing()
{
    QFETCH(QString, button);
    QFETCH(QString, question);
    QFETCH(QString, refusal);
    QFETCH(QString, password);
    QFETCH(Answer, warning);
    QFETCH(QString, typed);
    const Records wordsBefore = words();
    const Records phrasesBefore = phrases();
    const Records pupilsBefore = pupils();
    const QStringList soundsBefore = entries(folder("sounds"));
    const QStringList picturesBefore = entries(folder("pictures"));
    start();
    if (button == QLatin1String("BitBtn36"))
        testkit::click(*m_fixture.form, QStringLiteral("BitBtn15"));

    m_fixture.dialogs->queuePassword(password);
    Events expected;
    if (password != QLatin1String("UCITEL")) {
        m_fixture.dialogs->queueAnswer(Answer::Ok);
        expected = {Event::password(), Event::beep(), Event::message(BoxType::Warning, refusal, Buttons::Ok)};
    } else {
        m_fixture.dialogs->queueAnswer(warning);
        expected = confirmation(question);
        if (warning == Answer::Yes)
            m_fixture.dialogs->queueInput(typed);
        else
            expected.removeLast();
    }
    testkit::click(*m_fixture.form, button);

    QCOMPARE(m_fixture.dialogs->takeEvents(), expected);
    QCOMPARE(words(), wordsBefore);
    QCOMPARE(phrases(), phrasesBefore);
    QCOMPARE(pupils(), pupilsBefore);
    QCOMPARE(entries(folder("sounds")), soundsBefore);
    QCOMPARE(entries(folder("pictures")), picturesBefore);
    QCOMPARE(m_fixture.form->p2zaktabul->Edit2->text(), QStringLiteral("  1"));
}

void TestBulkDeletion::deletingEverything()
{
    writeFile(folder("sounds/NOSOUND.WAV"));
    writeFile(folder("sounds/Varovani.wav"));
    QVERIFY(QDir(folder("sounds")).mkdir("old"));
    writeFile(folder("sounds/old/cat.wav"));
    QVERIFY(QDir(folder("pictures")).mkdir("old"));
    const Records wrongAnswers = testkit::recordsOnDisk(data("chtab.dbf"), {"ANGL"});
    {
        TableOnDisk newWords(m_fixture.installation->dataFolder(), kadmor::layouts::newWords());
        testkit::appendRow(newWords.table, {{"LE", "  1"}, {"AN", "cat"}});
        TableOnDisk newPhrases(m_fixture.installation->dataFolder(), kadmor::layouts::newPhrases());
        testkit::appendRow(newPhrases.table, {{"LE", "  1"}, {"ANG", "The cat"}});
    }
    QVERIFY(!words().isEmpty() && !phrases().isEmpty() && !pupils().isEmpty());
    start();
    m_fixture.form->Timer1->start();

    confirmWith(QStringLiteral("7381"));
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    // The window is painted with the status line while it works.
    QString statusWhileWorking;
    QTimer::singleShot(0, m_fixture.form.get(), [&] { statusWhileWorking = m_fixture.form->status(); });
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn5"));

    Events expected = confirmation(QStringLiteral("Opravdu chceš smazat úplně všechno?"));
    expected += {Event::beep(), Event::message(BoxType::Plain, QStringLiteral("Všechno bylo smazáno!!!"), Buttons::Ok)};
    QCOMPARE(m_fixture.dialogs->takeEvents(), expected);
    QCOMPARE(statusWhileWorking, QStringLiteral("Mažu všechno, momentíček..."));
    QCOMPARE(words(), Records{});
    QCOMPARE(phrases(), Records{});
    QCOMPARE(pupils(), Records{});
    QCOMPARE(newWords(), Records{});
    QCOMPARE(newPhrases(), Records{});
    QCOMPARE(testkit::recordsOnDisk(data("chtab.dbf"), {"ANGL"}), wrongAnswers);
    QStringList keptEntries = QStringList{"old"} + keptSounds;
    keptEntries.sort();
    QCOMPARE(entries(folder("sounds")), keptEntries);
    QVERIFY(QFile::exists(folder("sounds/old/cat.wav")));
    QCOMPARE(entries(folder("pictures")), QStringList{"old"});

    TForm1& form = *m_fixture.form;
    QCOMPARE(form.p2zaktabul->Edit2->text().trimmed(), QString());
    QCOMPARE(form.status(), QString());
    QVERIFY(form.Timer1->isActive());
    for (kadmor::Table* table : {form.Table1, form.Table2, form.Table3, form.Table6, form.Table7}) {
        QVERIFY(table->isOpen());
        QCOMPARE(table->recordCount(), 0);
    }
    QVERIFY(!form.Table1->filtered());
    // A word added afterwards is shown whatever its lesson: all lessons are listed.
    form.Table1->append();
    form.Table1->fieldByName("LEK").setAsString("  5");
    form.Table1->fieldByName("ANGL").setAsString("zebra");
    form.Table1->post();
    QCOMPARE(form.Table1->recordCount(), 1);
}

void TestBulkDeletion::deletingEverythingWhileATableIsHeld_data()
{
    QTest::addColumn<Answer>("tryAgain");
    QTest::newRow("Yes: the templates") << Answer::Yes;
    QTest::newRow("No: nothing more") << Answer::No;
}

// Another program holds the grade book: the word table, emptied before it, stays empty; Yes puts
// the blank templates in place of all three and the files go, No leaves the rest as it was.
void TestBulkDeletion::deletingEverythingWhileATableIsHeld()
{
    QFETCH(Answer, tryAgain);
    const Records phrasesBefore = phrases();
    const Records pupilsBefore = pupils();
    const QStringList soundsBefore = entries(folder("sounds"));
    const QStringList picturesBefore = entries(folder("pictures"));
    start();
    auto holder = std::make_unique<TableOnDisk>(m_fixture.installation->dataFolder(), kadmor::layouts::grades());

    confirmWith(QStringLiteral("7381"));
    m_fixture.dialogs->queueAnswer(tryAgain);
    if (tryAgain == Answer::Yes)
        m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn5"));
    holder.reset();

    Events expected = confirmation(QStringLiteral("Opravdu chceš smazat úplně všechno?"));
    expected.append(
        Event::message(BoxType::Error, QStringLiteral("Tabulky nejde smazat, mám to zkusit znova?"), Buttons::YesNo));
    if (tryAgain == Answer::Yes)
        expected +=
            {Event::beep(), Event::message(BoxType::Plain, QStringLiteral("Všechno bylo smazáno!!!"), Buttons::Ok)};
    QCOMPARE(m_fixture.dialogs->takeEvents(), expected);
    QCOMPARE(words(), Records{});
    if (tryAgain == Answer::Yes) {
        QCOMPARE(pupils(), Records{});
        QCOMPARE(phrases(), Records{});
        QCOMPARE(entries(folder("sounds")), keptSounds);
        QCOMPARE(entries(folder("pictures")), QStringList{});
    } else {
        QCOMPARE(pupils(), pupilsBefore);
        QCOMPARE(phrases(), phrasesBefore);
        QCOMPARE(entries(folder("sounds")), soundsBefore);
        QCOMPARE(entries(folder("pictures")), picturesBefore);
    }
    TForm1& form = *m_fixture.form;
    QVERIFY(form.Timer1->isActive());
    QCOMPARE(form.status(), QString());
    QVERIFY(form.Table1->isOpen() && form.Table2->isOpen() && form.Table3->isOpen());
    QCOMPARE(form.Table2->recordCount(), int(pupils().size()));
}

void TestBulkDeletion::deletingALessonsWords_data()
{
    using Prepare = std::function<void(const QString& dataFolder)>;
    QTest::addColumn<QString>("typedLesson");
    QTest::addColumn<Prepare>("prepare");
    QTest::addColumn<QStringList>("goneFiles");
    QTest::addColumn<QStringList>("keptFiles");

    const Prepare nothing = [](const QString&) {};
    const QStringList lesson1Files = {"sounds/cat.wav",   "sounds/dog.wav",    "sounds/hen.wav",
                                      "pictures/cat.bmp", "pictures/fish.jpg", "pictures/bird.bmp"};
    const QStringList otherFiles = {"sounds/house.wav", "pictures/house.bmp", "sounds/11111112.wav",
                                    "sounds/nosound.wav"};
    QTest::newRow("lesson 1") << "1" << nothing << lesson1Files << otherFiles;
    QTest::newRow("all lessons shown: every word")
        << "" << nothing << lesson1Files + QStringList{"sounds/house.wav", "pictures/house.bmp"}
        << QStringList{"sounds/11111112.wav", "sounds/nosound.wav", "sounds/mujzvuk.wav", "sounds/varovani.wav"};
    QTest::newRow("a sound another lesson's word names stays") << "1" << Prepare([](const QString& dataFolder) {
        TableOnDisk words(dataFolder, kadmor::layouts::words());
        testkit::appendRow(words.table, {{"LEK", "  3"}, {"ANGL", "kitty"}, {"CES", "kotě"}, {"ZVUK", "cat"}});
    }) << QStringList{"sounds/dog.wav", "pictures/cat.bmp"} << QStringList{"sounds/cat.wav"};
    QTest::newRow("a sound two words of the lesson name goes") << "1" << Prepare([](const QString& dataFolder) {
        TableOnDisk words(dataFolder, kadmor::layouts::words());
        testkit::appendRow(words.table,
                           {{"LEK", "  1"}, {"ANGL", "kitty"}, {"CES", "kotě"}, {"ZVUK", "cat"}, {"OBR", "cat.bmp"}});
    }) << QStringList{"sounds/cat.wav", "pictures/cat.bmp"} << QStringList{"sounds/house.wav"};
    QTest::newRow("a sound a phrase names stays") << "1" << Prepare([](const QString& dataFolder) {
        TableOnDisk(dataFolder, kadmor::layouts::phrases()).editFirst("ZVUK", "dog");
    }) << QStringList{"sounds/cat.wav"} << QStringList{"sounds/dog.wav"};
    QTest::newRow("a picture named outside its folder stays") << "1" << Prepare([](const QString& dataFolder) {
        TableOnDisk words(dataFolder, kadmor::layouts::words());
        words.table.setIndexName("angl");
        QVERIFY(words.table.findKey("cat"));
        words.table.edit();
        words.table.fieldByName("OBR").setAsString("../zak.bmp");
        words.table.post();
    }) << QStringList{"sounds/cat.wav"} << QStringList{"zak.bmp"};
}

void TestBulkDeletion::deletingALessonsWords()
{
    using Prepare = std::function<void(const QString& dataFolder)>;
    QFETCH(QString, typedLesson);
    QFETCH(Prepare, prepare);
    QFETCH(QStringList, goneFiles);
    QFETCH(QStringList, keptFiles);
    prepare(m_fixture.installation->dataFolder());
    for (const QString& file : goneFiles + keptFiles)
        QVERIFY2(QFile::exists(folder(file)), qPrintable(file));
    const Records before = words();
    const Records phrasesBefore = phrases();
    start();
    m_fixture.chooseLesson(typedLesson);
    m_fixture.form->Timer1->start();

    confirmWith(QStringLiteral("7381"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn35"));

    QCOMPARE(m_fixture.dialogs->takeEvents(), confirmation(QStringLiteral("Opravdu chceš smazat tuto lekci?")));
    QCOMPARE(words(), typedLesson.isEmpty() ? Records{} : without(before, QStringLiteral("  1")));
    QCOMPARE(phrases(), phrasesBefore);
    for (const QString& file : goneFiles)
        QVERIFY2(!QFile::exists(folder(file)), qPrintable(file));
    for (const QString& file : keptFiles)
        QVERIFY2(QFile::exists(folder(file)), qPrintable(file));
    QCOMPARE(m_fixture.form->Table1->recordCount(), 0);
    QVERIFY(m_fixture.form->Timer1->isActive());
}

void TestBulkDeletion::aFileThatCannotBeDeletedAsksWhetherToGoOn_data()
{
    QTest::addColumn<Answer>("goOn");
    QTest::addColumn<QStringList>("wordsLeft");
    // The lesson in the list's order: bear, bird, cat, cow, dog, ...
    QTest::newRow("Yes: the rest goes too") << Answer::Yes << QStringList{};
    QTest::newRow("No: the rest stays") << Answer::No
                                        << QStringList{"cow",   "dog",  "duck",  "fish", "frog",   "goat", "hen",
                                                       "horse", "lion", "mouse", "pig",  "rabbit", "sheep"};
}

// A "cat.wav" that is a folder cannot be deleted as a file: the record has gone, the question
// follows with the error's text.
void TestBulkDeletion::aFileThatCannotBeDeletedAsksWhetherToGoOn()
{
    QFETCH(Answer, goOn);
    QFETCH(QStringList, wordsLeft);
    QVERIFY(QFile::remove(folder("sounds/cat.wav")));
    QVERIFY(QDir(folder("sounds")).mkpath("cat.wav/inside"));
    start();
    confirmWith(QStringLiteral("7381"));
    m_fixture.dialogs->queueAnswer(goOn);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn35"));

    Events expected = confirmation(QStringLiteral("Opravdu chceš smazat tuto lekci?"));
    expected.append(Event::message(
        BoxType::Error, "Soubor \"" + folder("sounds/cat.wav") + "\" nelze smazat.\rPokračovat?", Buttons::YesNo));
    QCOMPARE(m_fixture.dialogs->takeEvents(), expected);
    QStringList left;
    for (const QStringList& word : words()) {
        if (word.value(0) == QLatin1String("  1"))
            left.append(word.value(1));
    }
    left.sort();
    QCOMPARE(left, wordsLeft);
    QVERIFY(!QFile::exists(folder("sounds/bear.wav")));
    // The files after the failing one stay with it.
    QVERIFY(QFile::exists(folder("pictures/cat.bmp")));
    QCOMPARE(QFile::exists(folder("sounds/dog.wav")), goOn == Answer::No);
}

// The deletion starts at the current phrase, and still every phrase of the lesson goes.
void TestBulkDeletion::deletingALessonsPhrasesFromTheMiddle()
{
    const Records before = phrases();
    const Records wordsBefore = words();
    start();
    m_fixture.chooseLesson(QStringLiteral("4"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn15"));
    TForm1& form = *m_fixture.form;
    QCOMPARE(form.Table3->recordCount(), 3);
    form.Table3->first();
    form.Table3->next();
    QCOMPARE(form.Table3->fieldByName("ZVUK").asString(), QStringLiteral("11111122"));

    confirmWith(QStringLiteral("7381"));
    testkit::click(form, QStringLiteral("BitBtn36"));

    QCOMPARE(m_fixture.dialogs->takeEvents(), confirmation(QStringLiteral("Opravdu chceš smazat tyto fráze?")));
    QCOMPARE(phrases(), without(before, QStringLiteral("  4")));
    QCOMPARE(words(), wordsBefore);
    for (const char* sound : {"11111121", "11111122", "11111123"})
        QVERIFY2(!QFile::exists(folder(QStringLiteral("sounds/%1.wav").arg(sound))), sound);
    QVERIFY(QFile::exists(folder("sounds/11111120.wav")));
    QCOMPARE(form.Table3->recordCount(), 0);
}

void TestBulkDeletion::packing_data()
{
    QTest::addColumn<bool>("gradeBookRefused");
    QTest::newRow("all four packed") << false;
    QTest::newRow("the grade book refused") << true;
}

void TestBulkDeletion::packing()
{
    QFETCH(bool, gradeBookRefused);
    const QString dataFolder = m_fixture.installation->dataFolder();
    // One deleted record in each table.
    const QList<const kadmor::TableLayout*> layouts = {&kadmor::layouts::words(), &kadmor::layouts::grades(),
                                                       &kadmor::layouts::phrases()};
    for (const kadmor::TableLayout* layout : layouts) {
        TableOnDisk table(dataFolder, *layout);
        table.table.first();
        table.table.remove();
    }
    try {
        kadmor::Table config; // the fields as the file has them, none read-only
        config.setDatabaseName(m_fixture.installation->folder());
        config.setTableName(QStringLiteral("konfig.dbf"));
        config.open();
        testkit::appendRow(config, {{"NAZEV", "navic"}, {"HODNOTA", "x"}});
        config.last();
        config.remove();
    } catch (const kadmor::Error& error) {
        QFAIL(qPrintable(error.text()));
    }
    const QStringList files = {data("kadmor.dbf"), data("znamky.dbf"), data("fraze.dbf"), folder("konfig.dbf")};
    QList<int> live;
    for (const QString& file : files)
        live.append(recordsInFile(file) - 1);
    if (gradeBookRefused) {
        // An index that cannot be written: the engine refuses to pack the grade book.
        QVERIFY(QFile::remove(data("znamky.mdx")));
        QVERIFY(QDir(dataFolder).mkpath("znamky.mdx/inside"));
    }
    const Records pupilsBefore = pupils();
    start();
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn20"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p9konfigIndex));
    m_fixture.dialogs->takeEvents();

    if (gradeBookRefused)
        m_fixture.dialogs->queueAnswer(Answer::Ok);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton10"));

    Events expected;
    if (gradeBookRefused)
        expected.append(Event::message(BoxType::Warning, QStringLiteral("Pakování je chybneznamky.dbf"), Buttons::Ok));
    expected += {Event::beep(), Event::message(BoxType::Information,
                                               QStringLiteral("Tabulky byly zpakovány, zhuštěny."), Buttons::Ok)};
    QCOMPARE(m_fixture.dialogs->takeEvents(), expected);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (gradeBookRefused && i == 1)
            continue;
        QCOMPARE(recordsInFile(files[i]), live[i]);
    }
    QCOMPARE(pupils(), pupilsBefore);

    // The four stay open for exclusive use: nobody else opens them until the program ends.
    TForm1& form = *m_fixture.form;
    for (kadmor::Table* table : {form.Table1, form.Table2, form.Table3, form.Table4})
        QVERIFY(table->isOpen() && table->exclusive());
    QVERIFY_THROWS_EXCEPTION(kadmor::Error,
                             [&dataFolder] { TableOnDisk other(dataFolder, kadmor::layouts::words()); }());
    // The word table's order still follows its rebuilt index.
    form.Table1->setIndexName("angl");
    QVERIFY(form.Table1->findKey("dog"));
    QCOMPARE(form.Table1->fieldByName("CES").asString(), QStringLiteral("pes,pejsek"));
}

QTEST_MAIN(TestBulkDeletion)
#include "tst_bulk_deletion.moc"
