// SPDX-License-Identifier: GPL-3.0-or-later
// The grade report from the real main window with scripted boxes: the file byte for byte, the
// printed PDF read back, and no printer at all.
#include "grade_book_on_disk.h"
#include "installation.h"
#include "main_window_fixture.h"
#include "pdf_text.h"
#include "running_program.h"
#include "scripted_dialogs.h"
#include "test_names.h"

#include "shell/tform1.h"
#include "storage/table.h"
#include "util/line_output.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QStackedWidget>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using testkit::Pupil;

Q_DECLARE_METATYPE(QList<Pupil>)

namespace {

const Events question{Event::beep(),
                      Event::message(BoxType::Confirmation,
                                     QStringLiteral("Tisk na tiskárnu?\r(pokud ne, vytiskne se do souboru ZNAMKY.TXT)"),
                                     Buttons::YesNo)};

// The five lines before the pupils, written out here rather than built as the program builds them.
QStringList headerLines()
{
    return {QString(), QStringLiteral("ZNÁMKY za rok ...."), QString(),
            QStringLiteral("Poř|        jméno            |") + QStringLiteral(" |").repeated(28) +
                QStringLiteral("kon|prum |"),
            QString(96, QLatin1Char('-'))};
}

QByteArray cp1250Lines(const QStringList& lines)
{
    QStringEncoder encoder("windows-1250");
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += QByteArray(encoder.encode(line)) + "\r\n";
    return bytes;
}

} // namespace

class TestGradeReport : public QObject
{
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void theFileByteForByte_data();
    void theFileByteForByte();
    void printedOnAsManySheetsAsNeeded();
    void noPrinterIsSaidPlainly();

  private:
    void startInGradeBook(const QList<Pupil>& pupils);

    testkit::MainWindowFixture m_fixture;
    std::unique_ptr<QTemporaryDir> m_workingFolder;
    QString m_previousFolder;
};

void TestGradeReport::init()
{
    m_fixture.setUp();
    // The file goes to the current folder.
    m_workingFolder = std::make_unique<QTemporaryDir>();
    m_previousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_workingFolder->path()));
}

void TestGradeReport::cleanup()
{
    m_fixture.tearDown();
    QDir::setCurrent(m_previousFolder);
    m_workingFolder.reset();
}

void TestGradeReport::startInGradeBook(const QList<Pupil>& pupils)
{
    testkit::writeGradeBook(m_fixture.installation->dataFolder(), pupils);
    m_fixture.startOnWordList();
    m_fixture.dialogs->queuePassword(QStringLiteral("UCITEL"));
    testkit::click(*m_fixture.form, QStringLiteral("BitBtn8"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), Events{Event::password()});
    QCOMPARE(m_fixture.form->Notebook1->currentIndex(), int(TForm1::p4hodnoceniIndex));
}

void TestGradeReport::theFileByteForByte_data()
{
    QTest::addColumn<QList<Pupil>>("pupils");
    QTest::addColumn<bool>("byAverage");
    QTest::addColumn<QStringList>("pupilLines");
    const QString blank = QStringLiteral(" |");
    QTest::newRow("an empty book: the five header lines") << QList<Pupil>{} << false << QStringList{};
    QTest::newRow("the worked example") << QList<Pupil>{{"Novák Jan", "123"}} << false
                                        << QStringList{QStringLiteral(" 1.|Novák Jan") + QString(16, QLatin1Char(' ')) +
                                                       QStringLiteral("|1|2|3|") + blank.repeated(25) +
                                                       QStringLiteral("  2| 2   |")};
    // In the order shown; a name of 25 characters meets its bar; no grade leaves kon blank and the
    // line one character shorter; the numbers are what the book holds, not renumbered.
    QTest::newRow("by average, a full name, no grades")
        << QList<Pupil>{{"Šťastná Žofie Kateřina Al", "55"}, {"Alfa", ""}, {"Beta", "12"}} << true
        << QStringList{QStringLiteral(" 2.|Alfa") + QString(21, QLatin1Char(' ')) + QLatin1Char('|') +
                           blank.repeated(28) + QStringLiteral("  |     |"),
                       QStringLiteral(" 3.|Beta") + QString(21, QLatin1Char(' ')) + QStringLiteral("|1|2|") +
                           blank.repeated(26) + QStringLiteral("  2| 1.5 |"),
                       QStringLiteral(" 1.|Šťastná Žofie Kateřina Al|5|5|") + blank.repeated(26) +
                           QStringLiteral("  5| 5   |")};
}

void TestGradeReport::theFileByteForByte()
{
    QFETCH(QList<Pupil>, pupils);
    QFETCH(bool, byAverage);
    QFETCH(QStringList, pupilLines);
    startInGradeBook(pupils);
    if (byAverage)
        testkit::click(*m_fixture.form, QStringLiteral("SpeedButton7"));
    const QString file = m_workingFolder->filePath(QStringLiteral("znamky.txt"));
    QFile earlier(file);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write(QByteArray(5000, 'x')); // an earlier report is replaced whole
    earlier.close();

    m_fixture.dialogs->queueAnswer(Answer::No);
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton9"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), question);
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), cp1250Lines(headerLines() + pupilLines));
    if (!pupils.isEmpty()) // the selection stays on the last pupil
        QCOMPARE(m_fixture.form->Table2->currentRow(), m_fixture.form->Table2->recordCount() - 1);
}

void TestGradeReport::printedOnAsManySheetsAsNeeded()
{
    QList<Pupil> pupils;
    for (int i = 1; i <= 90; ++i)
        pupils.append({QStringLiteral("Žák %1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("21")});
    startInGradeBook(pupils);
    const QString pdf = m_workingFolder->filePath(QStringLiteral("report.pdf"));
    m_fixture.form->printerPdfFile = pdf;
    m_fixture.dialogs->queueAnswer(Answer::Yes);
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton9"));
    QCOMPARE(m_fixture.dialogs->takeEvents(), question);
    QVERIFY(!QFile::exists(m_workingFolder->filePath(QStringLiteral("znamky.txt"))));

    const QStringList pages = testkit::pdfPages(pdf);
    QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
    QStringList printed;
    for (const QString& page : pages) {
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty())
                printed.append(line);
        }
    }
    QCOMPARE(printed.size(), 3 + 90); // the title, the header, the hyphens and the pupils
    QCOMPARE(printed[0].trimmed(), QStringLiteral("ZNÁMKY za rok ...."));
    QCOMPARE(printed[1], headerLines()[3].trimmed());
    QCOMPARE(printed[2], headerLines()[4]);
    // pdftotext places words by their position and may merge a run of blanks; the words, the bars
    // and their order are what it reads back exactly.
    QCOMPARE(printed[3].simplified(),
             (QStringLiteral(" 1.|Žák 001") + QString(18, QLatin1Char(' ')) + QStringLiteral("|2|1|") +
              QStringLiteral(" |").repeated(26) + QStringLiteral("  2| 1.5 |"))
                 .simplified());
    for (qsizetype line = 3; line < printed.size(); ++line)
        QCOMPARE(printed[line].count(QLatin1Char('|')), 32);
    QVERIFY(printed.last().trimmed().startsWith(QStringLiteral("90.|Žák 090")));
}

void TestGradeReport::noPrinterIsSaidPlainly()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this machine has a printer");
    startInGradeBook({{"Alfa", "1"}});
    m_fixture.dialogs->queueAnswer(Answer::Yes);
    m_fixture.dialogs->queueAnswer(Answer::Ok);
    testkit::click(*m_fixture.form, QStringLiteral("SpeedButton9"));
    const Events events = m_fixture.dialogs->takeEvents();
    QCOMPARE(events.mid(0, 2), question);
    QCOMPARE(events.size(), 3);
    QCOMPARE(events[2].type, BoxType::Error);
    QVERIFY2(events[2].text.startsWith(QStringLiteral("Není nainstalována žádná tiskárna.")),
             qPrintable(events[2].text));
    QVERIFY(!QFile::exists(m_workingFolder->filePath(QStringLiteral("znamky.txt"))));
}

QTEST_MAIN(TestGradeReport)
#include "tst_grade_report.moc"
