// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "pdf_text.h"
#include "scripted_dialogs.h"
#include "util/line_output.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace kadmor;

using Event = ScriptedDialogs::Event;

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(LineOutput& output, const QStringList& lines)
{
    for (const QString& line : lines)
        output.writeLine(line);
    output.close();
}

QStringList nonEmptyLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    lines.removeAll(QString());
    return lines;
}

} // namespace

class LineOutputTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void textFileIsCodePage1250WithCrLf();
    void textFileReplacesAnEarlierOne();
    void textFileThatCannotBeCreated();
    void fileOutputGoesToTheCurrentFolder();

    void question_data();
    void question();

    void printsEveryLineInOrderOnAsManySheetsAsNeeded();
    void printedColumnsLineUp();
    void noPrinterInstalledIsSaid();

  private:
    QTemporaryDir m_dir;
    QString m_startFolder;
};

void LineOutputTest::init()
{
    QVERIFY(m_dir.isValid());
    m_startFolder = QDir::currentPath();
}

void LineOutputTest::cleanup()
{
    QDir::setCurrent(m_startFolder);
}

void LineOutputTest::textFileIsCodePage1250WithCrLf()
{
    const QString path = m_dir.filePath(QStringLiteral("znamky.txt"));
    writeAll(*openTextFile(path), {QString(), QStringLiteral("ZNÁMKY za rok ...."), QStringLiteral("žluťoučký kůň")});
    QCOMPARE(readFile(path), QByteArray("\r\nZN\xC1MKY za rok ....\r\n\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2\r\n"));
}

void LineOutputTest::textFileReplacesAnEarlierOne()
{
    const QString path = m_dir.filePath(QStringLiteral("slovicka.txt"));
    writeAll(*openTextFile(path), QStringList(100, QStringLiteral("an earlier, longer list")));
    writeAll(*openTextFile(path), {QStringLiteral("lekce číslo:   1")});
    QCOMPARE(readFile(path), QByteArray("lekce \xE8\xEDslo:   1\r\n"));
}

void LineOutputTest::textFileThatCannotBeCreated()
{
    const QString path = m_dir.filePath(QStringLiteral("no-such-folder/fraze.txt"));
    try {
        openTextFile(path);
        QFAIL("a file in a missing folder was opened");
    } catch (const Error& error) {
        QVERIFY2(error.text().contains(path), qPrintable(error.text()));
    }
}

void LineOutputTest::fileOutputGoesToTheCurrentFolder()
{
    QVERIFY(QDir::setCurrent(m_dir.path()));
    writeAll(*openLineOutput(false, QStringLiteral("fraze.txt"), QStringLiteral("Tisk frází")), {QStringLiteral("x")});
    QCOMPARE(readFile(m_dir.filePath(QStringLiteral("fraze.txt"))), QByteArray("x\r\n"));
}

void LineOutputTest::question_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("printer");
    QTest::newRow("yes: the printer") << Answer::Yes << true;
    QTest::newRow("no: the file") << Answer::No << false;
}

void LineOutputTest::question()
{
    QFETCH(Answer, answer);
    QFETCH(bool, printer);
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(answer);
    QCOMPARE(askForPrinter(QStringLiteral("znamky.txt")), printer);
    const QList<Event> expected{
        Event::beep(),
        Event::message(BoxType::Confirmation,
                       QStringLiteral("Tisk na tiskárnu?\r(pokud ne, vytiskne se do souboru ZNAMKY.TXT)"),
                       Buttons::YesNo)};
    QCOMPARE(dialogs.events(), expected);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
}

void LineOutputTest::printsEveryLineInOrderOnAsManySheetsAsNeeded()
{
    const QString pdf = m_dir.filePath(QStringLiteral("report.pdf"));
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("řádek %1 kůň").arg(i, 3, 10, QChar(u'0'));
    writeAll(*openPrinter(QStringLiteral("Tisk známek"), pdf), lines);

    const QStringList pages = testkit::pdfPages(pdf);
    QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
    QStringList printed;
    for (const QString& page : pages) {
        const QStringList onPage = nonEmptyLines(page);
        QVERIFY2(onPage.size() < lines.size(), "a page held every line");
        for (const QString& line : onPage)
            printed << line.trimmed();
    }
    QCOMPARE(printed, lines);
}

void LineOutputTest::printedColumnsLineUp()
{
    const QString pdf = m_dir.filePath(QStringLiteral("list.pdf"));
    writeAll(*openPrinter(QStringLiteral("Tisk slovíček"), pdf),
             {QStringLiteral("dog               pes"), QStringLiteral("elephant          slon"),
              QStringLiteral("i                 já")});
    const QStringList pages = testkit::pdfPages(pdf);
    QCOMPARE(pages.size(), 1);
    const QStringList lines = nonEmptyLines(pages.first());
    QCOMPARE(lines.size(), 3);
    const qsizetype column = lines[0].indexOf(QStringLiteral("pes"));
    QVERIFY(column > 0);
    QCOMPARE(lines[1].indexOf(QStringLiteral("slon")), column);
    QCOMPARE(lines[2].indexOf(QStringLiteral("já")), column);
}

void LineOutputTest::noPrinterInstalledIsSaid()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this machine has a printer");
    try {
        openPrinter(QStringLiteral("Tisk známek"));
        QFAIL("a print job started without any printer");
    } catch (const Error& error) {
        QVERIFY2(error.text().startsWith(QStringLiteral("Není nainstalována žádná tiskárna.")),
                 qPrintable(error.text()));
    }
}

QTEST_MAIN(LineOutputTest)
#include "tst_line_output.moc"
