// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/dbf_table.h"
#include "storage/mdx/production_index.h"
#include "tdbf_checker.h"
#include "test_tables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kadmor;
using namespace mdxtest;

Q_DECLARE_METATYPE(mdxtest::TableSpec)

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

  private:
    void expectTdbfAccepts(const QString& table, const TableSpec& spec, const QStringList& options = {});
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

void addLayouts()
{
    QTest::addColumn<TableSpec>("spec");
    QTest::addColumn<QString>("layout");
    QTest::newRow("words") << wordTable() << "kadmor";
    QTest::newRow("phrases") << phraseTable() << "fraze";
    QTest::newRow("grade book") << gradeTable() << "znamky";
}

} // namespace

void TdbfTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TdbfTest::expectTdbfAccepts(const QString& table, const TableSpec& spec, const QStringList& options)
{
    const TdbfResult result = runTdbf(QStringList{"check", table} + options + tagArguments(spec));
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QCOMPARE(result.output.count(QStringLiteral("entries in order")), spec.tags.size());
}

void TdbfTest::tdbfWalksOurTags_data()
{
    QTest::addColumn<TableSpec>("spec");
    QTest::addColumn<int>("count");
    QTest::newRow("blank words, as in the templates") << wordTable() << 0;
    QTest::newRow("blank phrases") << phraseTable() << 0;
    QTest::newRow("blank grade book") << gradeTable() << 0;
    QTest::newRow("one word") << wordTable() << 1;
    QTest::newRow("words, three levels") << wordTable() << 700;
    QTest::newRow("phrases") << phraseTable() << 400;
    QTest::newRow("grade book") << gradeTable() << 300;
}

void TdbfTest::tdbfWalksOurTags()
{
    QFETCH(TableSpec, spec);
    QFETCH(int, count);
    const QString table = writeTable(m_dir->path(), spec, generatedRows(spec, count, 2024));
    QVERIFY(ensureProductionIndex(table, spec.tags));
    expectTdbfAccepts(table, spec);
}

void TdbfTest::tdbfKeepsOurIndexTrue_data()
{
    addLayouts();
}

void TdbfTest::tdbfKeepsOurIndexTrue()
{
    QFETCH(TableSpec, spec);
    const QString table = writeTable(m_dir->path(), spec, generatedRows(spec, 300, 99));
    QVERIFY(ensureProductionIndex(table, spec.tags));

    const TdbfResult changed = runTdbf({"modify", table, "150", "5"}); // appends, edits, deletions
    QVERIFY2(changed.exitCode == 0, qPrintable(changed.output));
    QCOMPARE(mdx::readDbf(table).recordCount, 450u);
    // TDbf files an edited key after the keys equal to it, not by record number
    expectTdbfAccepts(table, spec, {"-anydup"});
    QVERIFY(productionIndexIsCurrent(table, spec.tags));
    writeProductionIndex(table, spec.tags); // as after a change of our own
    expectTdbfAccepts(table, spec);
}

void TdbfTest::weReadTdbfTables_data()
{
    addLayouts();
}

void TdbfTest::weReadTdbfTables()
{
    QFETCH(TableSpec, spec);
    QFETCH(QString, layout);
    const QString table = m_dir->filePath(spec.fileName);
    const TdbfResult written = runTdbf({"write", table, layout, "700", "3"});
    QVERIFY2(written.exitCode == 0, qPrintable(written.output));

    const mdx::IndexFile index = readProductionIndex(table);
    QCOMPARE(index.tags.size(), spec.tags.size());
    const mdx::DbfTable records = mdx::readDbf(table);
    for (int i = 0; i < spec.tags.size(); ++i) {
        const mdx::Tag& tag = index.tags[i];
        QCOMPARE(tag.info.name, spec.tags[i].name.toUpper());
        QCOMPARE(tag.info.keyType, spec.tags[i].keyType);
        QCOMPARE(tag.size(), qsizetype(records.recordCount));
        const mdx::DbfField& field = *records.field(spec.tags[i].field);
        for (qsizetype entry = 0; entry < tag.size(); ++entry) {
            const QByteArrayView value = records.value(tag.recordNumbers[size_t(entry)], field);
            if (tag.info.keyType == 'C')
                QCOMPARE(tag.key(entry), value);
            else
                QCOMPARE(mdx::textFromBcdKey(tag.key(entry)).toDouble(), value.trimmed().toDouble());
        }
    }
    QVERIFY(productionIndexIsCurrent(table, spec.tags));
}

void TdbfTest::packAndEmptyKeepTdbfHappy()
{
    const TableSpec spec = wordTable();
    QList<Row> rows = generatedRows(spec, 500, 17);
    const QString table = writeTable(m_dir->path(), spec, rows);
    QVERIFY(ensureProductionIndex(table, spec.tags));

    rows.removeIf([](const Row& row) { return row.deleted; });
    writeTable(m_dir->path(), spec, rows);
    QVERIFY(ensureProductionIndex(table, spec.tags));
    expectTdbfAccepts(table, spec);

    writeTable(m_dir->path(), spec, {});
    QVERIFY(ensureProductionIndex(table, spec.tags));
    expectTdbfAccepts(table, spec);
}

QTEST_GUILESS_MAIN(TdbfTest)
#include "tdbf_test.moc"
