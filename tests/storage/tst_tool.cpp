// SPDX-License-Identifier: GPL-3.0-or-later
// kadmor-table, the administrators' command-line tool, run as a program.
#include "test_support.h"

#include "storage/table.h"
#include "tool_run.h"

#include <QFile>
#include <QTest>

using namespace kadmor;

namespace {

testkit::ToolRun kadmorTable(const QStringList& arguments, const QByteArray& input = {})
{
    // Under a Czech locale the tool's numbers must still keep their point.
    return testkit::runTool(QStringLiteral(KADMOR_BINARY_DIR "/tools/kadmor-table"), arguments,
                            {{QStringLiteral("LC_ALL"), QStringLiteral("cs_CZ.UTF-8")}}, input);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kPythonDbfDump =
    QStringLiteral("\tSLOVO\tPREKLAD\tLEKCE\tSKORE\tVAHA\tAKTIVNI\tDATUM\n"
                   "\tkůň\thorse\t1\t12.5\t3.25\tT\t2024-01-31\n"
                   "*\tžluťoučký\tyellowish\t2\t99.99\t-1.5\tF\t1999-12-31\n"
                   "\tPříliš ĎÁBELSKÉ ÓDY\ttoo devilish odes\t9\t-1.5\t1234.567\tT\t2000-02-29\n"
                   "*\túpěl\tmoaned\t0\t0\t0\tF\t\n"
                   "\tŘEŘICHA čeština\tcress; Czech\t5\t7.25\t0.001\tF\t2025-01-01\n");

} // namespace

class ToolTest : public QObject
{
    Q_OBJECT

  private slots:
    void dumpShowsDeletedRecordsMarked();
    void appendAddsRecords();
    void badInputChangesNothing_data();
    void badInputChangesNothing();
    void packRemovesDeletedRecords();
    void packOfATableInUseFails();
    void usage();
};

void ToolTest::dumpShowsDeletedRecordsMarked()
{
    const testkit::ToolRun run =
        kadmorTable({QStringLiteral("dump"), test::fixturePath(QStringLiteral("python-dbf.dbf"))});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, kPythonDbfDump);
}

void ToolTest::appendAddsRecords()
{
    QTemporaryDir dir;
    const QString path = test::copyFixture(dir, QStringLiteral("python-dbf.dbf"));
    const testkit::ToolRun run =
        kadmorTable({QStringLiteral("append"), path}, "čáp\tstork\t3\t-2.5\t10.125\tF\t2023-05-06\r\n"
                                                      "\t\t\t\t\t\t\n");
    QCOMPARE(run.exitCode, 0);
    const QJsonArray records = test::readWithDbfread(path)[QStringLiteral("records")].toArray();
    QCOMPARE(records.size(), 5);
    QCOMPARE(records[3].toArray()[0].toString(), QStringLiteral("čáp"));
    QCOMPARE(records[3].toArray()[4].toDouble(), 10.125);
    QCOMPARE(records[4].toArray()[0].toString(), QString());
    const testkit::ToolRun dump = kadmorTable({QStringLiteral("dump"), path});
    QVERIFY(dump.out.endsWith(QStringLiteral("\tčáp\tstork\t3\t-2.5\t10.125\tF\t2023-05-06\n\t\t\t\t\t\t\t\n")));
}

void ToolTest::badInputChangesNothing_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("message");
    const QByteArray good = "ok\tfine\t1\t1\t1\tT\t2024-01-01\n";
    QTest::newRow("too few values") << good + "short\tline\n"
                                    << "Řádek 2 má 2 hodnot";
    QTest::newRow("no number") << good + "x\ty\tjedna\t1\t1\tT\t2024-01-01\n"
                               << "Řádek 2";
    QTest::newRow("text too long") << good + QByteArray(31, 'a') + "\ty\t1\t1\t1\tT\t2024-01-01\n"
                                   << "delší než pole SLOVO";
    QTest::newRow("not UTF-8") << good + "\xE8\xE1p\ty\t1\t1\t1\tT\t2024-01-01\n"
                               << "UTF-8";
    QTest::newRow("outside the code page") << good + "Ωmega\ty\t1\t1\t1\tT\t2024-01-01\n"
                                           << "Řádek 2";
    QTest::newRow("no date") << good + "x\ty\t1\t1\t1\tT\tzítra\n"
                             << "datum";
}

void ToolTest::badInputChangesNothing()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = test::copyFixture(dir, QStringLiteral("python-dbf.dbf"));
    const QByteArray before = contentOf(path);
    const testkit::ToolRun run = kadmorTable({QStringLiteral("append"), path}, input);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(contentOf(path), before);
}

void ToolTest::packRemovesDeletedRecords()
{
    QTemporaryDir dir;
    const QString path = test::copyFixture(dir, QStringLiteral("python-dbf.dbf"));
    QCOMPARE(kadmorTable({QStringLiteral("pack"), path}).exitCode, 0);
    const testkit::ToolRun dump = kadmorTable({QStringLiteral("dump"), path});
    QCOMPARE(dump.out.count(u'\n'), 4);
    QVERIFY(!dump.out.contains(u'*'));
    QCOMPARE(QFile(path).size(), 257 + 3 * 96 + 1);
}

void ToolTest::packOfATableInUseFails()
{
    QTemporaryDir dir;
    const QString path = test::copyFixture(dir, QStringLiteral("python-dbf.dbf"));
    const QByteArray before = contentOf(path);
    Table inUse;
    inUse.setTableName(path);
    inUse.open();
    const testkit::ToolRun run = kadmorTable({QStringLiteral("pack"), path});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("používá jiný program")), qPrintable(run.err));
    QCOMPARE(contentOf(path), before);
}

void ToolTest::usage()
{
    const testkit::ToolRun run = kadmorTable({QStringLiteral("show"), QStringLiteral("x.dbf")});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains(QStringLiteral("Použití")));
}

QTEST_GUILESS_MAIN(ToolTest)
#include "tst_tool.moc"
