// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/dbf_table.h"
#include "storage/mdx/mdx_format.h"
#include "storage/mdx/production_index.h"
#include "test_tables.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>

using namespace kadmor;
using namespace mdxtest;

Q_DECLARE_METATYPE(mdxtest::TableSpec)

class ProductionIndexTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void writtenIndexIsCurrent_data();
    void writtenIndexIsCurrent();
    void findsIndexWhateverItsLetterCase_data();
    void findsIndexWhateverItsLetterCase();
    void staleIndexIsRebuiltWithoutTouchingRecords_data();
    void staleIndexIsRebuiltWithoutTouchingRecords();
    void currentIndexIsLeftAlone();
    void marksTableAndIndexedFields();

  private:
    QString write(const TableSpec& spec, const QList<Row>& rows) { return writeTable(m_dir->path(), spec, rows); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void overwrite(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void patch(const QString& path, qsizetype offset, const QByteArray& bytes)
{
    QByteArray all = readAll(path);
    all.replace(offset, bytes.size(), bytes);
    overwrite(path, all);
}

} // namespace

void ProductionIndexTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void ProductionIndexTest::writtenIndexIsCurrent_data()
{
    QTest::addColumn<TableSpec>("spec");
    QTest::addColumn<int>("count");
    QTest::newRow("blank word table, as in the templates") << wordTable() << 0;
    QTest::newRow("words") << wordTable() << 700;
    QTest::newRow("phrases") << phraseTable() << 300;
    QTest::newRow("grade book") << gradeTable() << 200;
}

void ProductionIndexTest::writtenIndexIsCurrent()
{
    QFETCH(TableSpec, spec);
    QFETCH(int, count);
    const QString table = write(spec, generatedRows(spec, count, 7));
    QVERIFY(!productionIndexIsCurrent(table, spec.tags));

    writeProductionIndex(table, spec.tags);
    QVERIFY(productionIndexIsCurrent(table, spec.tags));
    const mdx::IndexFile index = readProductionIndex(table);
    QCOMPARE(index.tags.size(), spec.tags.size());
    for (int i = 0; i < spec.tags.size(); ++i) {
        QCOMPARE(index.tags[i].info.name, spec.tags[i].name.toUpper());
        QCOMPARE(index.tags[i].info.expression, spec.tags[i].field);
        QCOMPARE(index.tags[i].size(), count); // deleted records included
    }
}

void ProductionIndexTest::findsIndexWhateverItsLetterCase_data()
{
    QTest::addColumn<QString>("tableName");
    QTest::addColumn<QString>("existingIndex");
    QTest::addColumn<QString>("indexName");
    QTest::newRow("lower case") << "kadmor.dbf"
                                << "kadmor.mdx"
                                << "kadmor.mdx";
    QTest::newRow("capitals beside a lower-case table") << "kadmor.dbf"
                                                        << "KADMOR.MDX"
                                                        << "KADMOR.MDX";
    QTest::newRow("mixed") << "KADMOR.DBF"
                           << "Kadmor.Mdx"
                           << "Kadmor.Mdx";
    QTest::newRow("new beside a capital table") << "KADMOR.DBF"
                                                << ""
                                                << "KADMOR.MDX";
    QTest::newRow("new beside a lower-case table") << "kadmor.dbf"
                                                   << ""
                                                   << "kadmor.mdx";
}

void ProductionIndexTest::findsIndexWhateverItsLetterCase()
{
    QFETCH(QString, tableName);
    QFETCH(QString, existingIndex);
    QFETCH(QString, indexName);
    TableSpec spec = wordTable();
    spec.fileName = tableName;
    const QString table = write(spec, generatedRows(spec, 20, 3));
    if (!existingIndex.isEmpty())
        overwrite(m_dir->filePath(existingIndex), "not an index");

    QCOMPARE(findIndexFile(table), existingIndex.isEmpty() ? QString() : m_dir->filePath(existingIndex));
    QVERIFY(ensureProductionIndex(table, spec.tags));
    QCOMPARE(QDir(m_dir->path()).entryList({"*.mdx"}, QDir::Files), QStringList{indexName});
    QVERIFY(productionIndexIsCurrent(table, spec.tags));
}

void ProductionIndexTest::staleIndexIsRebuiltWithoutTouchingRecords_data()
{
    using Change = std::function<void(const QString& table, const QString& index)>;
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("stale");
    const TableSpec spec = wordTable();
    const qsizetype firstRecord = 32 + 32 * spec.columns.size() + 1;
    const int recordLength = 1 + 3 + 40 + 30 + 30 + 40;

    QTest::newRow("index missing") << Change([](const QString&, const QString& index) { QFile::remove(index); })
                                   << true;
    QTest::newRow("index cut short") << Change([](const QString&, const QString& index) {
        overwrite(index, readAll(index).left(3000));
    }) << true;
    QTest::newRow("index overwritten") << Change([](const QString&, const QString& index) {
        overwrite(index, QByteArray(8192, 'x'));
    }) << true;
    QTest::newRow("a key changed by another program")
        << Change([=](const QString& table, const QString&) { patch(table, firstRecord + 1 + 3, "zzz"); }) << true;
    QTest::newRow("a record appended") << Change([=](const QString& table, const QString&) {
        QByteArray bytes = readAll(table);
        bytes.insert(bytes.size() - 1, bytes.mid(firstRecord, recordLength));
        qToLittleEndian<quint32>(qFromLittleEndian<quint32>(bytes.constData() + 4) + 1, bytes.data() + 4);
        overwrite(table, bytes);
    }) << true;
    QTest::newRow("packed: a record removed") << Change([=](const QString& table, const QString&) {
        QByteArray bytes = readAll(table);
        bytes.remove(firstRecord, recordLength);
        qToLittleEndian<quint32>(qFromLittleEndian<quint32>(bytes.constData() + 4) - 1, bytes.data() + 4);
        overwrite(table, bytes);
    }) << true;
    QTest::newRow("emptied") << Change([=](const QString& table, const QString&) {
        QByteArray bytes = readAll(table).left(firstRecord);
        qToLittleEndian<quint32>(0, bytes.data() + 4);
        overwrite(table, bytes + char(0x1A));
    }) << true;
    QTest::newRow("a tag renamed") << Change([](const QString&, const QString& index) {
        patch(index, mdx::kTagTableOffset + mdx::kEntryNameOffset, "XYZ");
    }) << true;
    QTest::newRow("another code page") << Change([](const QString&, const QString& index) {
        patch(index, mdx::kLanguageOffset, "\x57");
    }) << true;
    QTest::newRow("a record deleted: it stays in the index")
        << Change([=](const QString& table, const QString&) { patch(table, firstRecord, "*"); }) << false;
}

void ProductionIndexTest::staleIndexIsRebuiltWithoutTouchingRecords()
{
    using Change = std::function<void(const QString& table, const QString& index)>;
    QFETCH(Change, change);
    QFETCH(bool, stale);
    const TableSpec spec = wordTable();
    const QString table = write(spec, generatedRows(spec, 400, 11));
    QVERIFY(ensureProductionIndex(table, spec.tags));
    const QString index = findIndexFile(table);

    change(table, index);
    const QByteArray records = readAll(table);
    QCOMPARE(productionIndexIsCurrent(table, spec.tags), !stale);
    QCOMPARE(ensureProductionIndex(table, spec.tags), stale);
    QCOMPARE(readAll(table), records);
    QVERIFY(productionIndexIsCurrent(table, spec.tags));
}

void ProductionIndexTest::currentIndexIsLeftAlone()
{
    const TableSpec spec = phraseTable();
    const QString table = write(spec, generatedRows(spec, 50, 5));
    writeProductionIndex(table, spec.tags);
    setProductionIndexFlags(table, spec.tags);
    // the creation date plays no part in being current: a mark there shows whether the file was rewritten
    patch(findIndexFile(table), mdx::kCreatedOffset, "\x01\x01\x01");
    const QByteArray index = readAll(findIndexFile(table));

    QVERIFY(!ensureProductionIndex(table, spec.tags));
    QCOMPARE(readAll(findIndexFile(table)), index);
}

void ProductionIndexTest::marksTableAndIndexedFields()
{
    const TableSpec spec = wordTable();
    const QString table = write(spec, generatedRows(spec, 5, 1));
    const QByteArray original = readAll(table);
    QByteArray expected = original;

    setProductionIndexFlags(table, spec.tags);
    expected[mdx::kDbfProductionIndexOffset] = 1;
    for (int field : {0, 1, 2}) // LEK, ANGL, CES; not OBR, ZVUK
        expected[mdx::kDbfFirstDescriptor + field * mdx::kDbfDescriptorSize + mdx::kDbfIndexedFieldOffset] = 1;
    QCOMPARE(readAll(table).toHex(), expected.toHex());

    setProductionIndexFlags(table, {});
    QCOMPARE(readAll(table).toHex(), original.toHex());
}

QTEST_GUILESS_MAIN(ProductionIndexTest)
#include "production_index_test.moc"
