// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/dbf_table.h"
#include "storage/mdx/layout_tags.h"
#include "storage/mdx/production_index.h"
#include "storage/table.h"
#include "tdbf_checker.h"
#include "test_tables.h"
#include "tool_run.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kadmor;
using namespace mdxtest;

// Free Pascal's TDbf is an independent dBASE implementation that reads and writes .mdx files:
// it must walk and search every tag of the files we write, keep them true when it changes the
// table, and write files our reader takes as current.
class TdbfTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void tdbfWalksOurTags_data();
    void tdbfWalksOurTags();
    void tdbfKeepsOurIndexTrue_data();
    void tdbfKeepsOurIndexTrue();
    void weReadTdbfTables_data();
    void weReadTdbfTables();
    void packAndEmptyKeepTdbfHappy();
    void engineKeepsIndexTrue_data();
    void engineKeepsIndexTrue();
    void toolKeepsTheIndexItFinds();
    void toolRefusesIndexesItCannotKeep();

  private:
    void expectTdbfAccepts(const QString& table, const TableLayout& layout, const QStringList& options = {});
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

void addLayouts()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("words") << "kadmor";
    QTest::newRow("phrases") << "fraze";
    QTest::newRow("grade book") << "znamky";
}

testkit::ToolRun kadmorTable(const QStringList& arguments, const QByteArray& input = {})
{
    return testkit::runTool(QStringLiteral(KADMOR_BINARY_DIR "/tools/kadmor-table"), arguments, {}, input);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TdbfTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TdbfTest::expectTdbfAccepts(const QString& table, const TableLayout& layout, const QStringList& options)
{
    const TdbfResult result = runTdbf(QStringList{"check", table} + options + tagArguments(layout));
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QCOMPARE(result.output.count(QStringLiteral("entries in order")), layout.tags.size());
}

void TdbfTest::tdbfWalksOurTags_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("count");
    QTest::newRow("blank words, as in the templates") << "kadmor" << 0;
    QTest::newRow("blank phrases") << "fraze" << 0;
    QTest::newRow("blank grade book") << "znamky" << 0;
    QTest::newRow("one word") << "kadmor" << 1;
    QTest::newRow("words, three levels") << "kadmor" << 700;
    QTest::newRow("phrases") << "fraze" << 400;
    QTest::newRow("grade book") << "znamky" << 300;
    QTest::newRow("negative, zero, blank and decimal numbers") << "cisla" << 300;
}

void TdbfTest::tdbfWalksOurTags()
{
    QFETCH(QString, layout);
    QFETCH(int, count);
    const QString table = createFilledTable(m_dir->path(), layoutNamed(layout), count, 2024);
    QVERIFY(productionIndexIsCurrent(table, mdxTagsOf(layoutNamed(layout))));
    expectTdbfAccepts(table, layoutNamed(layout));
}

void TdbfTest::tdbfKeepsOurIndexTrue_data()
{
    addLayouts();
}

void TdbfTest::tdbfKeepsOurIndexTrue()
{
    QFETCH(QString, layout);
    const QList<MdxTagDef> tags = mdxTagsOf(layoutNamed(layout));
    const QString table = createFilledTable(m_dir->path(), layoutNamed(layout), 300, 99);
    QVERIFY(productionIndexIsCurrent(table, tags));

    const TdbfResult changed = runTdbf({"modify", table, "150", "5"}); // appends, edits, deletions
    QVERIFY2(changed.exitCode == 0, qPrintable(changed.output));
    QCOMPARE(mdx::readDbf(table).recordCount, 450u);
    // TDbf files an edited key after the keys equal to it, not by record number
    expectTdbfAccepts(table, layoutNamed(layout), {"-anydup"});
    QVERIFY(productionIndexIsCurrent(table, tags));
    writeProductionIndex(table, tags); // as after a change of our own
    expectTdbfAccepts(table, layoutNamed(layout));
}

void TdbfTest::weReadTdbfTables_data()
{
    addLayouts();
}

void TdbfTest::weReadTdbfTables()
{
    QFETCH(QString, layout);
    const QList<MdxTagDef> tags = mdxTagsOf(layoutNamed(layout));
    const QString table = m_dir->filePath(layoutNamed(layout).fileName);
    const TdbfResult written = runTdbf({"write", table, layout, "700", "3"});
    QVERIFY2(written.exitCode == 0, qPrintable(written.output));

    const mdx::IndexFile index = readProductionIndex(table);
    QCOMPARE(index.tags.size(), tags.size());
    const mdx::DbfTable records = mdx::readDbf(table);
    for (int i = 0; i < tags.size(); ++i) {
        const mdx::Tag& tag = index.tags[i];
        QCOMPARE(tag.info.name, tags[i].name.toUpper());
        QCOMPARE(tag.info.keyType, tags[i].keyType);
        QCOMPARE(tag.size(), qsizetype(records.recordCount));
        const mdx::DbfField& field = *records.field(tags[i].field);
        for (qsizetype entry = 0; entry < tag.size(); ++entry) {
            const QByteArrayView value = records.value(tag.recordNumbers[size_t(entry)], field);
            if (tag.info.keyType == 'C')
                QCOMPARE(tag.key(entry), value);
            else
                QCOMPARE(mdx::textFromBcdKey(tag.key(entry)).toDouble(), value.trimmed().toDouble());
        }
    }
    QVERIFY(productionIndexIsCurrent(table, tags));
}

void TdbfTest::packAndEmptyKeepTdbfHappy()
{
    const TableLayout& layout = layouts::words();
    const QString path = createFilledTable(m_dir->path(), layout, 500, 17);
    Table table(layout);
    table.setDatabaseName(m_dir->path());
    table.setTableName(layout.fileName);
    table.setExclusive(true);
    table.open();

    QCOMPARE(table.pack(), 0);
    QCOMPARE(mdx::readDbf(path).recordCount, 500u - 500u / 7);
    QVERIFY(productionIndexIsCurrent(path, mdxTagsOf(layout)));
    expectTdbfAccepts(path, layout);

    table.emptyTable();
    QCOMPARE(mdx::readDbf(path).recordCount, 0u);
    QVERIFY(productionIndexIsCurrent(path, mdxTagsOf(layout)));
    expectTdbfAccepts(path, layout);
}

void TdbfTest::engineKeepsIndexTrue_data()
{
    addLayouts();
}

// Appends, edits and deletions made through the engine alone leave an index TDbf walks.
void TdbfTest::engineKeepsIndexTrue()
{
    QFETCH(QString, layout);
    const TableLayout& tableLayout = layoutNamed(layout);
    const QString path = createFilledTable(m_dir->path(), tableLayout, 120, 5);
    QVERIFY(productionIndexIsCurrent(path, mdxTagsOf(tableLayout)));

    Table table(tableLayout);
    table.setDatabaseName(m_dir->path());
    table.setTableName(tableLayout.fileName);
    table.open();
    const QString keyField = tableLayout.tags.first().field;
    const bool numeric = tableLayout.tags.first().order == KeyOrder::Numeric;
    table.append();
    table.fieldByName(keyField).setAsString(numeric ? QStringLiteral("3") : QStringLiteral("Žluťoučký"));
    table.post();
    table.first();
    table.edit();
    table.fieldByName(keyField).setAsString(numeric ? QStringLiteral("1") : QStringLiteral("Ábel"));
    table.post();
    table.last();
    table.remove();
    table.close();

    QVERIFY(productionIndexIsCurrent(path, mdxTagsOf(tableLayout)));
    expectTdbfAccepts(path, tableLayout);
}

// The tool knows no layout: the tags it keeps are those the table's own index file declares.
void TdbfTest::toolKeepsTheIndexItFinds()
{
    const TableLayout& words = layouts::words();
    const QString table = createFilledTable(m_dir->path(), words, 0, 1); // the blank template
    QCOMPARE(kadmorTable({"append", table}, "  1\tsheep\tovce\t\t\n  2\tdog\tpes\t\t\n").exitCode, 0);
    expectTdbfAccepts(table, words);

    QByteArray many;
    for (int i = 0; i < 300; ++i)
        many += QByteArray::number(i % 20).rightJustified(3, ' ') + "\tword" + QByteArray::number(i) + "\tslovo\t\t\n";
    QCOMPARE(kadmorTable({"append", table}, many).exitCode, 0);
    expectTdbfAccepts(table, words);
    {
        Table edited(words);
        edited.setTableName(table);
        edited.open();
        for (int i = 0; i < 100; ++i)
            edited.remove();
    }
    QCOMPARE(kadmorTable({"pack", table}).exitCode, 0);
    expectTdbfAccepts(table, words);
    QCOMPARE(readProductionIndex(table).tags.front().size(), 202);
}

void TdbfTest::toolRefusesIndexesItCannotKeep()
{
    const QString table = m_dir->filePath("tdbf.dbf");
    for (const char* name : {"tdbf.dbf", "tdbf.mdx"}) {
        QVERIFY(QFile::copy(KADMOR_TEST_DATA "/mdx/" + QString::fromLatin1(name), m_dir->filePath(name)));
        QFile::setPermissions(m_dir->filePath(name), QFile::ReadOwner | QFile::WriteOwner);
    }
    const QByteArray before = contentOf(table);
    const testkit::ToolRun run = kadmorTable({"append", table}, "a\tb\t1\t1\t1\tT\t2024-01-01\n");
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("neumí udržovat"), qPrintable(run.err));
    QCOMPARE(contentOf(table), before);
    QCOMPARE(kadmorTable({"dump", table}).exitCode, 0); // reading it is fine
}

QTEST_GUILESS_MAIN(TdbfTest)
#include "tst_tdbf.moc"
