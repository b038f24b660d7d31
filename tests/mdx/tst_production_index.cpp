// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/dbf_table.h"
#include "storage/mdx/layout_tags.h"
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

void setRecordCount(QByteArray& table, qint64 change)
{
    qToLittleEndian<quint32>(quint32(qFromLittleEndian<quint32>(table.constData() + 4) + change), table.data() + 4);
}

} // namespace

void ProductionIndexTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void ProductionIndexTest::writtenIndexIsCurrent_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("count");
    QTest::newRow("blank word table, as in the templates") << "kadmor" << 0;
    QTest::newRow("words") << "kadmor" << 700;
    QTest::newRow("phrases") << "fraze" << 300;
    QTest::newRow("grade book") << "znamky" << 200;
    QTest::newRow("numbers") << "cisla" << 200;
}

void ProductionIndexTest::writtenIndexIsCurrent()
{
    QFETCH(QString, layout);
    QFETCH(int, count);
    const QList<MdxTagDef> tags = mdxTagsOf(layoutNamed(layout));
    const QString table = createFilledTable(m_dir->path(), layoutNamed(layout), count, 7);
    QVERIFY(productionIndexIsCurrent(table, tags)); // kept by the engine while it wrote the records

    QFile::remove(findIndexFile(table));
    QVERIFY(!productionIndexIsCurrent(table, tags));
    writeProductionIndex(table, tags);
    QVERIFY(productionIndexIsCurrent(table, tags));
    const mdx::IndexFile index = readProductionIndex(table);
    QCOMPARE(index.tags.size(), tags.size());
    for (int i = 0; i < tags.size(); ++i) {
        QCOMPARE(index.tags[i].info.name, tags[i].name.toUpper());
        QCOMPARE(index.tags[i].info.expression, tags[i].field);
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
    const QList<MdxTagDef> tags = mdxTagsOf(layouts::words());
    const QString table = m_dir->filePath(tableName);
    const QString created = createFilledTable(m_dir->path(), layouts::words(), 20, 3);
    QVERIFY(created == table || QFile::rename(created, table));
    // the engine wrote kadmor.mdx with the table: take it away so that only the case variant under test is there
    for (const QString& name : QDir(m_dir->path()).entryList({"*.mdx", "*.MDX"}, QDir::Files))
        QVERIFY(QFile::remove(m_dir->filePath(name)));
    if (!existingIndex.isEmpty())
        overwrite(m_dir->filePath(existingIndex), "not an index");

    QCOMPARE(findIndexFile(table), existingIndex.isEmpty() ? QString() : m_dir->filePath(existingIndex));
    QVERIFY(ensureProductionIndex(table, tags));
    QCOMPARE(QDir(m_dir->path()).entryList({"*.mdx"}, QDir::Files), QStringList{indexName});
    QVERIFY(productionIndexIsCurrent(table, tags));
}

using Change = std::function<void(const mdx::DbfTable& before, const QString& table, const QString& index)>;

void ProductionIndexTest::staleIndexIsRebuiltWithoutTouchingRecords_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("stale");
    const auto firstRecord = [](const mdx::DbfTable& t) { return qsizetype(t.headerLength); };

    QTest::newRow("index missing") << Change([](auto&, auto&, const QString& index) { QFile::remove(index); }) << true;
    QTest::newRow("index cut short") << Change([](auto&, auto&, const QString& index) {
        overwrite(index, readAll(index).left(3000));
    }) << true;
    QTest::newRow("index overwritten") << Change([](auto&, auto&, const QString& index) {
        overwrite(index, QByteArray(8192, 'x'));
    }) << true;
    QTest::newRow("a key changed by another program")
        << Change([=](const mdx::DbfTable& t, const QString& table, auto&) {
               patch(table, firstRecord(t) + t.field("ANGL")->offset, "zzz");
           })
        << true;
    QTest::newRow("a record appended by another program")
        << Change([=](const mdx::DbfTable& t, const QString& table, auto&) {
               QByteArray bytes = readAll(table);
               bytes.insert(firstRecord(t) + t.recordCount * t.recordLength, bytes.mid(firstRecord(t), t.recordLength));
               setRecordCount(bytes, 1);
               overwrite(table, bytes);
           })
        << true;
    QTest::newRow("packed by another program") << Change([=](const mdx::DbfTable& t, const QString& table, auto&) {
        QByteArray bytes = readAll(table);
        bytes.remove(firstRecord(t), t.recordLength);
        setRecordCount(bytes, -1);
        overwrite(table, bytes);
    }) << true;
    QTest::newRow("keys per block and item length overflowing the block check")
        << Change([](auto&, auto&, const QString& index) {
               patch(index, 4 * mdx::kPageSize + mdx::kKeysPerBlockOffset, QByteArray::fromHex("ffff0000ffff"));
           })
        << true;
    QTest::newRow("a tag renamed") << Change([](auto&, auto&, const QString& index) {
        patch(index, mdx::kTagTableOffset + mdx::kEntryNameOffset, "XYZ");
    }) << true;
    QTest::newRow("another code page") << Change([](auto&, auto&, const QString& index) {
        patch(index, mdx::kLanguageOffset, "\x57");
    }) << true;
    QTest::newRow("a record deleted: it stays in the index")
        << Change([=](const mdx::DbfTable& t, const QString& table, auto&) { patch(table, firstRecord(t), "*"); })
        << false;
}

void ProductionIndexTest::staleIndexIsRebuiltWithoutTouchingRecords()
{
    QFETCH(Change, change);
    QFETCH(bool, stale);
    const QList<MdxTagDef> tags = mdxTagsOf(layouts::words());
    const QString table = createFilledTable(m_dir->path(), layouts::words(), 400, 11);
    QVERIFY(productionIndexIsCurrent(table, tags)); // kept by the engine while it wrote the records

    change(mdx::readDbf(table), table, findIndexFile(table));
    const QByteArray records = readAll(table);
    QCOMPARE(productionIndexIsCurrent(table, tags), !stale);
    QCOMPARE(ensureProductionIndex(table, tags), stale);
    QCOMPARE(readAll(table), records);
    QVERIFY(productionIndexIsCurrent(table, tags));
}

void ProductionIndexTest::currentIndexIsLeftAlone()
{
    const QList<MdxTagDef> tags = mdxTagsOf(layouts::phrases());
    const QString table = createFilledTable(m_dir->path(), layouts::phrases(), 50, 5);
    QVERIFY(productionIndexIsCurrent(table, tags));
    // the creation date plays no part in being current: a mark there shows whether the file was rewritten
    patch(findIndexFile(table), mdx::kCreatedOffset, "\x01\x01\x01");
    const QByteArray index = readAll(findIndexFile(table));

    QVERIFY(!ensureProductionIndex(table, tags));
    QCOMPARE(readAll(findIndexFile(table)), index);
}

void ProductionIndexTest::marksTableAndIndexedFields()
{
    const QList<MdxTagDef> tags = mdxTagsOf(layouts::words());
    const QString table = createFilledTable(m_dir->path(), layouts::words(), 5, 1);
    setProductionIndexFlags(table, {}); // the engine marked it already
    const QByteArray original = readAll(table);
    QByteArray expected = original;
    expected[mdx::kDbfProductionIndexOffset] = 1;
    for (int field : {0, 1, 2}) // LEK, ANGL, CES; not OBR, ZVUK
        expected[mdx::kDbfFirstDescriptor + field * mdx::kDbfDescriptorSize + mdx::kDbfIndexedFieldOffset] = 1;

    setProductionIndexFlags(table, tags);
    QCOMPARE(readAll(table).toHex(), expected.toHex());
    setProductionIndexFlags(table, {});
    QCOMPARE(readAll(table).toHex(), original.toHex());
}

QTEST_GUILESS_MAIN(ProductionIndexTest)
#include "tst_production_index.moc"
