// SPDX-License-Identifier: GPL-3.0-or-later
// The word and phrase lists of the real main window, written to their text files (compared byte for
// byte) and printed into a PDF file that pdftotext reads back.
#include "installation.h"
#include "main_window_fixture.h"
#include "pdf_text.h"
#include "running_program.h"
#include "table_rows.h"
#include "test_names.h"

#include "scripted_dialogs.h"
#include "shell/tform1.h"
#include "storage/layouts.h"
#include "storage/table.h"
#include "ui_word_list_page.h"
#include "util/line_output.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString wordQuestion = QStringLiteral("Tisk na tiskárnu?\r(pokud ne, vytiskne se do souboru SLOVICKA.TXT)");
const QString phraseQuestion = QStringLiteral("Tisk na tiskárnu?\r(pokud ne, vytiskne se do souboru FRAZE.TXT)");

// Lesson 1 of a fresh installation in the order of the second-language words.
const QStringList lesson1Lines = {"bear              medvěd",        "bird              pták,ptáček",
                                  "cat               kočka,kočička", "cow               kráva",
                                  "dog               pes,pejsek",    "duck              kachna",
                                  "fish              ryba,rybička",  "frog              žába",
                                  "goat              koza",          "hen               slepice",
                                  "horse             kůň",           "lion              lev",
                                  "mouse             myš,myška",     "pig               prase,prasátko",
                                  "rabbit            králík",        "sheep             ovce"};

QByteArray fileBytes(const QStringList& lines)
{
    QStringEncoder encoder("windows-1250");
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += encoder.encode(line) + "\r\n";
    return bytes;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

Events printed(const QString& question)
{
    return {Event::beep(), Event::message(BoxType::Confirmation, question, Buttons::YesNo), Event::beep(),
            Event::message(BoxType::Plain, QStringLiteral("Hotovo, lekce vytištěna!"), Buttons::Ok)};
}

} // namespace

class TestPrintedLists : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void wordListToTheFile_data();
    void wordListToTheFile();
    void phraseListToTheFile();
    void wordListToThePrinter();
    void aFileThatCannotBeCreatedIsReported();
    void noPrinterIsReported();

  private:
    void chooseLesson(const QString& typed);
    // Prints with the button, answering the question and then the "done" or the error box.
    void print(const QString& button, Answer printer);

    testkit::MainWindowFixture m_fixture;
    std::unique_ptr<QTemporaryDir> m_current; // the current folder of the test
    QString m_previousCurrent;
};

void TestPrintedLists::init()
{
    m_fixture.setUp();
    m_current = std::make_unique<QTemporaryDir>();
    m_previousCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_current->path()));
}

void TestPrintedLists::cleanup()
{
    QDir::setCurrent(m_previousCurrent);
    m_current.reset();
    m_fixture.tearDown();
}

void TestPrintedLists::chooseLesson(const QString& typed)
{
    Ui::WordListPage& page = *m_fixture.form->p2zaktabul;
    testkit::focus(page.Edit2);
    testkit::type(page.Edit2, typed);
    QTest::keyClick(page.Edit2, Qt::Key_Return);
}

void TestPrintedLists::print(const QString& button, Answer printer)
{
    m_fixture.dialogs->queueAnswer(printer);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, button);
}

void TestPrintedLists::wordListToTheFile_data()
{
    QTest::addColumn<QString>("lesson");    // typed into the lesson box; "reset": lesson 1, then the list reset
    QTest::addColumn<QStringList>("lines"); // the whole file
    QTest::newRow("lesson 1") << "1" << QStringList{"lekce číslo:   1", ""} + lesson1Lines;
    QTest::newRow("an empty lesson: two lines") << "9" << QStringList{"lekce číslo:   9", ""};
    QTest::newRow("after the list reset the heading has no lesson")
        << "reset" << QStringList{"lekce číslo: ", ""} + lesson1Lines;
}

// A longer file of an earlier run is replaced as a whole.
void TestPrintedLists::wordListToTheFile()
{
    QFETCH(QString, lesson);
    QFETCH(QStringList, lines);
    QFile earlier(QStringLiteral("slovicka.txt"));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write(QByteArray(4000, 'x'));
    earlier.close();
    m_fixture.startOnWordList();
    if (lesson == QLatin1String("reset")) {
        chooseLesson(QStringLiteral("1"));
        testkit::click(*m_fixture.form, QStringLiteral("SpeedButton3"));
        QCOMPARE(m_fixture.form->p2zaktabul->Edit2->text(), QString());
    } else {
        chooseLesson(lesson);
    }

    print(QStringLiteral("BitBtn30"), Answer::No);

    QCOMPARE(m_fixture.dialogs->takeEvents(), printed(wordQuestion));
    QCOMPARE(readFile(m_current->filePath("slovicka.txt")), fileBytes(lines));
    kadmor::Table& words = *m_fixture.form->Table1;
    QVERIFY(!words.controlsDisabled());
    if (lines.size() > 2) {
        // Left on the last record.
        QCOMPARE(words.fieldByName("ANGL").asString(), QStringLiteral("sheep"));
    }
}

// A 40-character phrase pushes its Czech text on, without a space.
void TestPrintedLists::phraseListToTheFile()
{
    const QString longPhrase = QStringLiteral("Mary and her little brother play chess.");
    QCOMPARE(longPhrase.size(), 39);
    const QString forty = longPhrase + u'!';
    {
        kadmor::Table phrases(kadmor::layouts::phrases());
        phrases.setDatabaseName(m_fixture.installation->dataFolder());
        phrases.setTableName(kadmor::layouts::phrases().fileName);
        phrases.open();
        testkit::appendRow(phrases, {{"LEK", "  4"}, {"ANGL", forty}, {"CES", "Šachy."}, {"ZVUK", "11111124"}});
    }
    m_fixture.startOnWordList();
    chooseLesson(QStringLiteral("4"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn15"));
    print(QStringLiteral("BitBtn32"), Answer::No);

    QCOMPARE(m_fixture.dialogs->takeEvents(), printed(phraseQuestion));
    QCOMPARE(readFile(m_current->filePath("fraze.txt")),
             fileBytes({"lekce číslo:   4", "",
                        QStringLiteral("This is my mother.").leftJustified(37) + "To je moje maminka.",
                        QStringLiteral("I go to school.").leftJustified(37) + "Chodím do školy.",
                        QStringLiteral("I like milk.").leftJustified(37) + "Mám rád mléko.", forty + "Šachy."}));
    QVERIFY(!QFile::exists(m_current->filePath("slovicka.txt")));
}

// Yes prints, here into a PDF file: the Czech words start in the 19th column, ordered by the Czech
// word when the list is.
void TestPrintedLists::wordListToThePrinter()
{
    const QString pdf = m_current->filePath("list.pdf");
    m_fixture.startOnWordList();
    m_fixture.form->printerPdfFile = pdf;
    chooseLesson(QStringLiteral("1"));
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton4")); // by the Czech word
    print(QStringLiteral("BitBtn30"), Answer::Yes);

    QCOMPARE(m_fixture.dialogs->takeEvents(), printed(wordQuestion));
    QVERIFY(!QFile::exists(m_current->filePath("slovicka.txt")));
    const QStringList pages = testkit::pdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    QStringList lines = pages.first().split(u'\n');
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QCOMPARE(lines.size(), 18);
    QCOMPARE(lines.first(), QStringLiteral("lekce číslo:")); // the list reset emptied the lesson box
    QCOMPARE(lines.at(1), QString());
    // pdftotext gives the columns, not the count of blanks: every Czech word starts in one column,
    // right of the longest word.
    QStringList words;
    int czechColumn = -1;
    for (const QString& line : lines.mid(2)) {
        const qsizetype gap = line.indexOf(QStringLiteral("  "));
        QVERIFY2(gap > 0, qPrintable(line));
        const qsizetype column = line.indexOf(QRegularExpression(QStringLiteral("\\S")), gap);
        if (czechColumn < 0)
            czechColumn = int(column);
        QCOMPARE(column, czechColumn);
        words.append(line.left(gap) + u'|' + line.mid(column));
    }
    QVERIFY(czechColumn > int(QStringLiteral("rabbit").size()));
    QCOMPARE(words.first(), QStringLiteral("duck|kachna"));
    QCOMPARE(words.last(), QStringLiteral("frog|žába"));
    QStringList expected;
    for (const QString& line : lesson1Lines)
        expected.append(line.left(18).trimmed() + u'|' + line.mid(18));
    expected.sort();
    words.sort();
    QCOMPARE(words, expected);
}

// "slovicka.txt" is a folder here: the error is shown and no "done" follows.
void TestPrintedLists::aFileThatCannotBeCreatedIsReported()
{
    QVERIFY(QDir(m_current->path()).mkdir("slovicka.txt"));
    m_fixture.startOnWordList();
    print(QStringLiteral("BitBtn30"), Answer::No);

    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.size(), 3);
    QCOMPARE(events.at(1), Event::message(BoxType::Confirmation, wordQuestion, Buttons::YesNo));
    QCOMPARE(events.at(2).type, BoxType::Error);
    QVERIFY2(events.at(2).text.startsWith("Soubor „" + m_current->filePath("slovicka.txt") + "“ nelze vytvořit"),
             qPrintable(events.at(2).text));
    QVERIFY(!m_fixture.form->Table1->controlsDisabled());
}

void TestPrintedLists::noPrinterIsReported()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this machine has a printer");
    m_fixture.startOnWordList();
    print(QStringLiteral("BitBtn30"), Answer::Yes);

    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.size(), 3);
    QCOMPARE(events.at(2), Event::message(BoxType::Error,
                                          QStringLiteral("Není nainstalována žádná tiskárna.\r"
                                                         "Na otázku „Tisk na tiskárnu?“ odpovězte Ne a vytiskne se "
                                                         "do souboru."),
                                          Buttons::Ok));
    QVERIFY(!QFile::exists(m_current->filePath("slovicka.txt")));
}

QTEST_MAIN(TestPrintedLists)
#include "tst_printed_lists.moc"
