// SPDX-License-Identifier: GPL-3.0-or-later
// The new-words page in the real main window: collecting a lesson, writing it as a package from
// one fresh installation and reading it into another, the overwrite and continue questions, the
// size estimate, emptying the package folder, hostile packages and colliding phrase numbers. What
// reaches the disk is read back with an independent dBASE reader.
#include "installation.h"
#include "main_window_fixture.h"
#include "records_on_disk.h"
#include "running_program.h"
#include "table_rows.h"
#include "test_names.h"

#include "exchange/package_rules.h"
#include "scripted_dialogs.h"
#include "shell/tform1.h"
#include "storage/layouts.h"
#include "storage/table.h"
#include "ui_new_words_page.h"
#include "ui_word_list_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QStringList wordFields = {"LEK", "ANGL", "CES", "OBR", "ZVUK"};
const QStringList phraseFields = {"LEK", "ANGL", "CES", "ZVUK"};
const QStringList newWordFields = {"LE", "AN", "CE", "OB", "ZV"};
const QStringList newPhraseFields = {"LE", "ANG", "CE", "ZVUK"};
const Event beep = Event::beep();

Event info(const QString& text)
{
    return Event::message(BoxType::Information, text, Buttons::Ok);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

Records lastRecords(const Records& records, qsizetype count)
{
    return records.mid(records.size() - count);
}

// Rows appended to a table of an installation before its program starts.
void appendRows(const QString& folder, const kadmor::TableLayout& layout, const QStringList& fields,
                const Records& rows)
{
    kadmor::Table table(layout);
    table.setDatabaseName(folder);
    table.setTableName(layout.fileName);
    table.open();
    for (const QStringList& row : rows) {
        testkit::RowValues values;
        for (int i = 0; i < fields.size(); ++i)
            values.append({fields[i], row.value(i)});
        testkit::appendRow(table, values);
    }
}

// Scripted dialogs that also note, at every box, whether the periodic refresh runs.
class RefreshWatchingDialogs : public kadmor::ScriptedDialogs
{
  public:
    Answer message(BoxType type, const QString& text, Buttons buttons) override
    {
        refreshRunning.append(form && form->Timer1->isActive());
        return ScriptedDialogs::message(type, text, buttons);
    }
    TForm1* form = nullptr;
    QList<bool> refreshRunning;
};

} // namespace

class TestLessonExchange : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void theFolderFieldStartsOnARemovableDisk();
    void collectingTheShownLesson_data();
    void collectingTheShownLesson();
    void aLessonTravelsToAnotherInstallation();
    void decliningAnOverwriteAsksWhetherToGoOn_data();
    void decliningAnOverwriteAsksWhetherToGoOn();
    void theFolderIsCreatedOneLevelDeep();
    void sizeEstimate();
    void emptyingThePackageFolder_data();
    void emptyingThePackageFolder();
    void theInstallationsOwnFoldersAreNotEmptied();
    void deletingTheCollection();
    void aDamagedCollectionIsReplacedByItsTemplate();
    void aHostilePackageStaysInItsFolders();
    void aFailedReadRestoresTheTables();

  private:
    void start(const Installation& installation);
    void openNewWords();
    void setFolder(const QString& folder);
    Records onDisk(const Installation& installation, const QString& table, const QStringList& fields) const;
    QString sound(const Installation& installation, const QString& name) const;
    QString picture(const Installation& installation, const QString& name) const;

    testkit::MainWindowFixture m_fixture;
    std::unique_ptr<QTemporaryDir> m_usb;
};

void TestLessonExchange::init()
{
    m_fixture.setUp();
    m_usb = std::make_unique<QTemporaryDir>();
}

void TestLessonExchange::cleanup()
{
    m_fixture.tearDown();
    m_usb.reset();
}

void TestLessonExchange::start(const Installation& installation)
{
    m_fixture.form.reset();
    m_fixture.form = testkit::startOnWordList(installation, *m_fixture.dialogs);
}

void TestLessonExchange::openNewWords()
{
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn29"));
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p11novaslovaIndex));
}

void TestLessonExchange::setFolder(const QString& folder)
{
    m_fixture.form->p11novaslova->Edit18->setText(folder);
}

Records TestLessonExchange::onDisk(const Installation& installation, const QString& table,
                                   const QStringList& fields) const
{
    return testkit::recordsOnDisk(installation.dataFolder() + u'/' + table, fields);
}

QString TestLessonExchange::sound(const Installation& installation, const QString& name) const
{
    return installation.folder() + QStringLiteral("/sounds/") + name + QStringLiteral(".wav");
}

QString TestLessonExchange::picture(const Installation& installation, const QString& name) const
{
    return installation.folder() + QStringLiteral("/pictures/") + name;
}

void TestLessonExchange::theFolderFieldStartsOnARemovableDisk()
{
    start(*m_fixture.installation);
    const QString folder = m_fixture.form->p11novaslova->Edit18->text();
    QVERIFY2(folder.endsWith(QStringLiteral("/kadmor/")), qPrintable(folder));
    QCOMPARE(m_fixture.form->newLessonFolder, folder);
    QVERIFY(m_fixture.form->p11novaslova->Edit18->completer() != nullptr);
}

void TestLessonExchange::collectingTheShownLesson_data()
{
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("words");
    QTest::addColumn<int>("phrases");
    QTest::newRow("lesson 3") << "3" << 1 << 17 << 3;
    QTest::newRow("lesson 3 twice") << "3" << 2 << 34 << 6;
    QTest::newRow("all lessons") << "" << 1 << -1 << 12;
}

void TestLessonExchange::collectingTheShownLesson()
{
    QFETCH(QString, lesson);
    QFETCH(int, presses);
    QFETCH(int, words);
    QFETCH(int, phrases);
    start(*m_fixture.installation);
    m_fixture.chooseLesson(lesson);
    for (int i = 0; i < presses; ++i)
        testkit::click(*m_fixture.form, QStringLiteral("BitBtn31"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    const Records collected = onDisk(*m_fixture.installation, "newwords.dbf", newWordFields);
    const Records allWords = onDisk(*m_fixture.installation, "kadmor.dbf", wordFields);
    QCOMPARE(collected.size(), words < 0 ? allWords.size() : words);
    QCOMPARE(onDisk(*m_fixture.installation, "newfraze.dbf", newPhraseFields).size(), phrases);
    if (lesson == QStringLiteral("3")) {
        QCOMPARE(collected.first(), (QStringList{"  3", "apple", "jablko", "apple.bmp", "apple"}));
        QCOMPARE(onDisk(*m_fixture.installation, "newfraze.dbf", newPhraseFields).first(),
                 (QStringList{"  3", "The sun is shining.", "Slunce svítí.", "11111118"}));
    }
    // Both lists are left on their last record.
    QVERIFY(m_fixture.form->Table6->recNo() == m_fixture.form->Table6->recordCount());
}

// Lesson 3 with a word added by hand that has no files, written to a stick from one installation
// and read into a second one that lacks the lesson's pictures and sounds: everything arrives, and
// the phrases, whose numbers the second installation uses already, get numbers of their own.
void TestLessonExchange::aLessonTravelsToAnotherInstallation()
{
    Installation& sender = *m_fixture.installation;
    start(sender);
    m_fixture.chooseLesson(QStringLiteral("3"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn31"));
    openNewWords();
    kadmor::Table& collection = *m_fixture.form->Table6;
    testkit::appendRow(collection, {{"LE", "  3"}, {"AN", "rainbow"}, {"CE", "duha"}});
    const QString folder = m_usb->filePath(QStringLiteral("kadmor/"));
    setFolder(folder);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn26"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, info(QStringLiteral("Lekce je uložena!"))}));
    const Records package = testkit::recordsOnDisk(folder + "newwords.dbf", newWordFields);
    QCOMPARE(package.size(), 18);
    QCOMPARE(package.last(), (QStringList{"  3", "rainbow", "duha", "", ""}));
    QStringList expectedFiles = {"newfraze.dbf", "newwords.dbf", "11111118.wav", "11111119.wav", "11111120.wav"};
    for (const QStringList& word : package) {
        if (!word[3].isEmpty())
            expectedFiles << word[3];
        if (!word[4].isEmpty())
            expectedFiles << word[4] + ".wav";
    }
    expectedFiles.sort();
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), expectedFiles);
    QCOMPARE(readFile(folder + "sun.bmp"), readFile(picture(sender, "sun.bmp")));
    QCOMPARE(readFile(folder + "11111118.wav"), readFile(sound(sender, "11111118")));
    const QByteArray sunSound = readFile(sound(sender, "sun"));
    const QByteArray shiningSound = readFile(sound(sender, "11111118"));
    QVERIFY(!sunSound.isEmpty() && !shiningSound.isEmpty());

    Installation receiver;
    for (const QStringList& word : package) {
        if (!word[3].isEmpty())
            QVERIFY(QFile::remove(picture(receiver, word[3])));
        if (!word[4].isEmpty())
            QVERIFY(QFile::remove(sound(receiver, word[4])));
    }
    writeFile(sound(receiver, "11111118"), "the receiver's own phrase sound");
    const qsizetype wordsBefore = onDisk(receiver, "kadmor.dbf", wordFields).size();
    start(receiver);
    openNewWords();
    setFolder(folder);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn27"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, info(QStringLiteral("Lekce byla načtena!"))}));
    QVERIFY(m_fixture.form->Timer1->isActive());
    QCOMPARE(m_fixture.form->Table6->databaseName(), receiver.dataFolder());

    const Records words = onDisk(receiver, "kadmor.dbf", wordFields);
    QCOMPARE(words.size(), wordsBefore + 18);
    const Records arrived = lastRecords(words, 18);
    for (int i = 0; i < 18; ++i)
        QCOMPARE(arrived[i], package[i]);
    QCOMPARE(readFile(picture(receiver, "sun.bmp")), readFile(picture(sender, "sun.bmp")));
    QCOMPARE(readFile(sound(receiver, "sun")), sunSound);

    QCOMPARE(lastRecords(onDisk(receiver, "fraze.dbf", phraseFields), 3),
             (Records{{"  3", "The sun is shining.", "Slunce svítí.", "11111124"},
                      {"  3", "It is raining.", "Prší.", "11111125"},
                      {"  3", "The sky is blue.", "Obloha je modrá.", "11111126"}}));
    QCOMPARE(readFile(sound(receiver, "11111124")), shiningSound);
    QCOMPARE(readFile(sound(receiver, "11111126")), readFile(sound(sender, "11111120")));
    QCOMPARE(readFile(sound(receiver, "11111118")), QByteArray("the receiver's own phrase sound"));

    // The phrases shown are the current lesson's, in lesson order.
    QCOMPARE(m_fixture.form->Table3->indexName(), QStringLiteral("lek"));
}

void TestLessonExchange::decliningAnOverwriteAsksWhetherToGoOn_data()
{
    QTest::addColumn<Answer>("goOn");
    QTest::newRow("No stops the writing") << Answer::No;
    QTest::newRow("Yes goes on") << Answer::Yes;
}

void TestLessonExchange::decliningAnOverwriteAsksWhetherToGoOn()
{
    QFETCH(Answer, goOn);
    start(*m_fixture.installation);
    testkit::appendRow(*m_fixture.form->Table6, {{"LE", "  1"}, {"AN", "dog"}, {"CE", "pes"}, {"ZV", "dog"}});
    const QString folder = m_usb->filePath(QStringLiteral("kadmor/"));
    QVERIFY(QDir().mkpath(folder));
    writeFile(folder + "newwords.dbf", "an older package");
    openNewWords();
    setFolder(folder);
    m_fixture.dialogs->queueAnswer(Answer::No);
    m_fixture.dialogs->queueAnswer(goOn);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn26"));
    const Event overwrite =
        Event::message(BoxType::Warning, QStringLiteral("Soubor \"%1newwords.dbf\" již existuje. Přepsat?").arg(folder),
                       Buttons::YesNo);
    const Event question = Event::message(BoxType::Error,
                                          QStringLiteral("Nelze zapisovat na %1. Přístup na \"%1\" odmítnut!\r"
                                                         "Pokračovat?")
                                              .arg(folder),
                                          Buttons::YesNo);
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep, overwrite, beep, question, beep, info(QStringLiteral("Lekce je uložena!"))}));
    QCOMPARE(readFile(folder + "newwords.dbf"), QByteArray("an older package"));
    QCOMPARE(QFile::exists(folder + "newfraze.dbf"), goOn == Answer::Yes);
    QCOMPARE(QFile::exists(folder + "dog.wav"), goOn == Answer::Yes);
}

// The text without its last character is the folder; only its last level is created.
void TestLessonExchange::theFolderIsCreatedOneLevelDeep()
{
    start(*m_fixture.installation);
    openNewWords();
    const QString deep = m_usb->filePath(QStringLiteral("missing/kadmor"));
    setFolder(deep);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn26"));
    QCOMPARE(m_fixture.form->p11novaslova->Edit18->text(), deep + u'/');
    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.size(), 2);
    QCOMPARE(events[0], beep);
    QCOMPARE(events[1].type, BoxType::Error);
    QVERIFY2(events[1].text.endsWith(QStringLiteral("\rNelze vytvořit adresář ") + deep), qPrintable(events[1].text));
    QVERIFY(!QFileInfo::exists(deep));

    const QString shallow = m_usb->filePath(QStringLiteral("kadmor/"));
    setFolder(shallow);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn26"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), (Events{beep, info(QStringLiteral("Lekce je uložena!"))}));
    QVERIFY(QFile::exists(shallow + "newwords.dbf"));
    QVERIFY(QFile::exists(shallow + "newfraze.dbf"));
}

// The sum of the two tables and the word's one-byte sound, each on whole 512-byte blocks.
void TestLessonExchange::sizeEstimate()
{
    writeFile(sound(*m_fixture.installation, "tiny"), "x");
    start(*m_fixture.installation);
    testkit::appendRow(*m_fixture.form->Table6, {{"LE", "  1"}, {"AN", "tiny"}, {"ZV", "tiny"}});
    testkit::appendRow(*m_fixture.form->Table7, {{"LE", "  1"}, {"ANG", "Nothing."}, {"ZVUK", ""}});
    openNewWords();
    const qint64 tables =
        kadmor::package::blocks(QFileInfo(m_fixture.installation->dataFolder() + "/newwords.dbf").size()) +
        kadmor::package::blocks(QFileInfo(m_fixture.installation->dataFolder() + "/newfraze.dbf").size());
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn33"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep, info(QStringLiteral("Na disketě je potřeba: %1 volných bytů!").arg(tables + 512))}));
    QCOMPARE(m_fixture.form->Table6->recNo(), m_fixture.form->Table6->recordCount());
}

void TestLessonExchange::emptyingThePackageFolder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<bool>("cleaned");
    QTest::newRow("an absent folder") << QStringList{} << QString() << true;
    QTest::newRow("a package") << QStringList{"newwords.dbf", "newfraze.dbf", "cat.wav"} << QString() << true;
    QTest::newRow("an empty folder") << QStringList{} << QStringLiteral("-") << true;
    QTest::newRow("a folder listed last") << QStringList{"a.wav"} << QStringLiteral("zz") << false;
}

void TestLessonExchange::emptyingThePackageFolder()
{
    QFETCH(QStringList, files);
    QFETCH(QString, subfolder);
    QFETCH(bool, cleaned);
    const QString folder = m_usb->filePath(QStringLiteral("kadmor/"));
    if (!files.isEmpty() || !subfolder.isEmpty())
        QVERIFY(QDir().mkpath(folder));
    for (const QString& file : files)
        writeFile(folder + file, "x");
    if (subfolder.size() > 1)
        QVERIFY(QDir().mkpath(folder + subfolder));
    start(*m_fixture.installation);
    openNewWords();
    setFolder(folder);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("Button10"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep,
                     info(QStringLiteral("Disk \"%1\" %2").arg(folder, cleaned ? "je vyčištěn!" : "není vyčištěn!"))}));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{});
    QCOMPARE(m_fixture.form->status(), QString());
}

void TestLessonExchange::theInstallationsOwnFoldersAreNotEmptied()
{
    start(*m_fixture.installation);
    openNewWords();
    const QString data = m_fixture.installation->dataFolder() + u'/';
    setFolder(data);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("Button10"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep, Event::message(BoxType::Warning,
                                          QStringLiteral("Složku „%1“ nelze vyčistit: patří programu, nebo je to "
                                                         "domovská či kořenová složka.")
                                              .arg(data),
                                          Buttons::Ok)}));
    QVERIFY(QFile::exists(data + "kadmor.dbf"));

    // An empty field would name the root folder.
    setFolder(QString());
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("Button10"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{Event::message(BoxType::Error,
                                    QStringLiteral("Není zadána složka, ze které se má číst nebo do které se má "
                                                   "zapisovat."),
                                    Buttons::Ok)}));
}

void TestLessonExchange::deletingTheCollection()
{
    start(*m_fixture.installation);
    m_fixture.chooseLesson(QStringLiteral("2"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn31"));
    openNewWords();
    QVERIFY(m_fixture.form->Table6->recordCount() > 0);
    testkit::click(*m_fixture.form, QStringLiteral("Button9"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{});
    QCOMPARE(m_fixture.form->Table6->recordCount(), 0);
    QCOMPARE(m_fixture.form->Table7->recordCount(), 0);
    QVERIFY(m_fixture.form->Table6->isOpen() && m_fixture.form->Table7->isOpen());
    QCOMPARE(onDisk(*m_fixture.installation, "newwords.dbf", newWordFields), Records{});
    QCOMPARE(onDisk(*m_fixture.installation, "newfraze.dbf", newPhraseFields), Records{});
}

// A collection table that cannot be emptied in place is replaced by the blank template.
void TestLessonExchange::aDamagedCollectionIsReplacedByItsTemplate()
{
    const QString live = m_fixture.installation->dataFolder() + "/newwords.dbf";
    start(*m_fixture.installation);
    openNewWords();
    m_fixture.form->Table6->close();
    writeFile(live, "no table at all");
    testkit::click(*m_fixture.form, QStringLiteral("Button9"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{beep});
    QCOMPARE(readFile(live), readFile(m_fixture.installation->dataFolder() + "/empty_tables/newwords.dbf"));
    QVERIFY(m_fixture.form->Table6->isOpen());
    QCOMPARE(m_fixture.form->Table6->recordCount(), 0);
}

// Names of a package that reach outside its folder: each such file is refused with a message and
// the record goes in without it; nothing outside the package, pictures and sounds folders is read
// or written. Writing refuses names typed into the collection by hand the same way.
void TestLessonExchange::aHostilePackageStaysInItsFolders()
{
    const QString folder = m_usb->filePath(QStringLiteral("kadmor/"));
    QVERIFY(QDir().mkpath(folder));
    QFile::copy(m_fixture.installation->dataFolder() + "/empty_tables/newwords.dbf", folder + "newwords.dbf");
    QFile::copy(m_fixture.installation->dataFolder() + "/empty_tables/newfraze.dbf", folder + "newfraze.dbf");
    appendRows(folder.chopped(1), kadmor::layouts::newWords(), newWordFields,
               {{"  6", "evil", "zlý", "../../evil.bmp", "../../evil"}, {"  6", "good", "dobrý", "", ""}});
    appendRows(folder.chopped(1), kadmor::layouts::newPhrases(), newPhraseFields,
               {{"  6", "Evil phrase.", "Zlá fráze.", "..\\..\\evil"}});
    // What the names point at, seen from the package and from the receiver's folders.
    writeFile(m_usb->filePath("evil.bmp"), "evil picture");
    writeFile(m_usb->filePath("evil.wav"), "evil sound");
    const Installation& receiver = *m_fixture.installation;
    m_fixture.dialogs.reset();
    auto* watching = new RefreshWatchingDialogs;
    m_fixture.dialogs.reset(watching);
    start(receiver);
    watching->form = m_fixture.form.get();
    m_fixture.form->Timer1->start();
    openNewWords();
    setFolder(folder);
    for (int i = 0; i < 3; ++i)
        m_fixture.dialogs->queueAnswer(Answer::Ok);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn27"));
    const auto refused = [](const QString& name) {
        return Event::message(BoxType::Warning,
                              QStringLiteral("Název souboru „%1“ ukazuje mimo svou složku, proto se tento soubor "
                                             "nepřenese.")
                                  .arg(name),
                              Buttons::Ok);
    };
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep, refused("../../evil.bmp"), beep, refused("../../evil"), beep, refused("..\\..\\evil"), beep,
                     info(QStringLiteral("Lekce byla načtena!"))}));
    // The refresh is stopped for the whole read and runs again afterwards.
    QCOMPARE(watching->refreshRunning.mid(watching->refreshRunning.size() - 4),
             (QList<bool>{false, false, false, false}));
    QVERIFY(m_fixture.form->Timer1->isActive());
    QCOMPARE(lastRecords(onDisk(receiver, "kadmor.dbf", wordFields), 2),
             (Records{{"  6", "evil", "zlý", "", ""}, {"  6", "good", "dobrý", "", ""}}));
    QCOMPARE(lastRecords(onDisk(receiver, "fraze.dbf", phraseFields), 1),
             (Records{{"  6", "Evil phrase.", "Zlá fráze.", ""}}));
    QVERIFY(!QFile::exists(receiver.folder() + "/evil.bmp"));
    QVERIFY(!QFile::exists(receiver.root() + "/evil.bmp"));
    QVERIFY(!QFile::exists(receiver.root() + "/evil.wav"));

    // Written back out, the refused names travel as records but no file goes with them.
    const QString out = m_usb->filePath(QStringLiteral("out/"));
    testkit::appendRow(*m_fixture.form->Table6, {{"LE", "  6"}, {"AN", "evil"}, {"OB", "../../../evil.bmp"}});
    setFolder(out);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn26"));
    QCOMPARE(m_fixture.dialogs->takeEvents(),
             (Events{beep, refused("../../../evil.bmp"), beep, info(QStringLiteral("Lekce je uložena!"))}));
    QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name), (QStringList{"newfraze.dbf", "newwords.dbf"}));
}

// No package in the folder: the engine's error through the general error display, and the
// collection tables are back on the data folder with the refresh running.
void TestLessonExchange::aFailedReadRestoresTheTables()
{
    start(*m_fixture.installation);
    const qsizetype words = onDisk(*m_fixture.installation, "kadmor.dbf", wordFields).size();
    openNewWords();
    setFolder(m_usb->filePath(QStringLiteral("nothing/")));
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn27"));
    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.size(), 1);
    QCOMPARE(events[0].type, BoxType::Error);
    QCOMPARE(m_fixture.form->Table6->databaseName(), m_fixture.installation->dataFolder());
    QCOMPARE(m_fixture.form->Table7->databaseName(), m_fixture.installation->dataFolder());
    QVERIFY(m_fixture.form->Table6->isOpen() && m_fixture.form->Table7->isOpen());
    QVERIFY(m_fixture.form->Timer1->isActive());
    QCOMPARE(onDisk(*m_fixture.installation, "kadmor.dbf", wordFields).size(), words);
}

QTEST_MAIN(TestLessonExchange)
#include "tst_lesson_exchange.moc"
