// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "storage/mdx/bcd_key.h"
#include "storage/mdx/index_file.h"
#include "storage/mdx/mdx_format.h"
#include "test_tables.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>

#include <algorithm>

using namespace kadmor::mdx;

class IndexFileTest : public QObject
{
    Q_OBJECT

  private slots:
    void readsTdbfFile_data();
    void readsTdbfFile();
    void writesHeaderAndTagsAsDbaseLaysThemOut();
    void treesRoundTrip_data();
    void treesRoundTrip();
    void rejectsDamagedFiles_data();
    void rejectsDamagedFiles();
};

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

QByteArray keyText(const Tag& tag, qsizetype entry)
{
    return tag.info.keyType == 'N' ? textFromBcdKey(tag.key(entry)) : tag.key(entry).toByteArray().trimmed();
}

// count entries with keys of the given type and length, in index order
Tag sortedTag(char keyType, int keyLength, int count)
{
    QRandomGenerator random(quint32(count * 31 + keyLength));
    std::vector<std::pair<QByteArray, uint32_t>> entries;
    for (int i = 0; i < count; ++i) {
        const QByteArray value =
            QByteArray::number(int(random.bounded(2000)) - 1000) + '.' + QByteArray::number(random.bounded(100));
        entries.emplace_back(keyType == 'N' ? bcdKeyFromText(value) : value.leftJustified(keyLength, ' ', true),
                             uint32_t(i + 1));
    }
    std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
        return compareKeys(keyType, a.first.constData(), b.first.constData(), keyLength) < 0;
    });
    Tag tag;
    tag.info = {"T", "FIELD", keyType, keyLength};
    for (const auto& [key, number] : entries) {
        tag.keys.append(key);
        tag.recordNumbers.push_back(number);
    }
    return tag;
}

int treeDepth(const QByteArray& file)
{
    const auto header = qFromLittleEndian<quint32>(file.constData() + kTagTableOffset) * kPageSize;
    const int itemLength = qFromLittleEndian<quint16>(file.constData() + header + kItemLengthOffset);
    quint32 page = qFromLittleEndian<quint32>(file.constData() + header + kRootPageOffset);
    for (int depth = 1;; ++depth) {
        const char* node = file.constData() + page * kPageSize;
        const auto count = qFromLittleEndian<qint32>(node);
        const qsizetype after = kNodeItemsOffset + qsizetype(count) * itemLength;
        if (after + 4 > kBlockSize || qFromLittleEndian<quint32>(node + after) == 0)
            return depth;
        page = qFromLittleEndian<quint32>(node + kNodeItemsOffset); // the first child
    }
}

} // namespace

void IndexFileTest::readsTdbfFile_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("expression");
    QTest::addColumn<char>("keyType");
    QTest::addColumn<int>("keyLength");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QList<uint32_t>>("records");
    QTest::addColumn<QList<QByteArray>>("keys");
    const QByteArray kun = mdxtest::cp1250(QStringLiteral("kůň"));
    QTest::newRow("character, Czech bytes")
        << 0 << QByteArray("SLOVO") << QByteArray("SLOVO") << 'C' << 30 << false << QList<uint32_t>{3, 1, 2, 5, 4}
        << QList<QByteArray>{mdxtest::cp1250(QStringLiteral("Příliš ĎÁBELSKÉ ÓDY")), kun,
                             mdxtest::cp1250(QStringLiteral("žluťoučký")),
                             mdxtest::cp1250(QStringLiteral("ŘEŘICHA čeština")),
                             mdxtest::cp1250(QStringLiteral("úpěl"))};
    QTest::newRow("numeric") << 1 << QByteArray("LEKCE") << QByteArray("LEKCE") << 'N' << 12 << false
                             << QList<uint32_t>{4, 1, 2, 5, 3} << QList<QByteArray>{"0", "1", "2", "5", "9"};
    QTest::newRow("numeric, descending") << 2 << QByteArray("SKORE") << QByteArray("SKORE") << 'N' << 12 << true
                                         << QList<uint32_t>{2, 1, 5, 4, 3}
                                         << QList<QByteArray>{"99.98999999999999", "12.5", "7.25", "0", "-9.5"};
    QTest::newRow("numeric, zero after one thousandth")
        << 3 << QByteArray("VAHA") << QByteArray("VAHA") << 'N' << 12 << false << QList<uint32_t>{2, 5, 4, 1, 3}
        << QList<QByteArray>{"-1.5", "0.001", "0", "3.25", "1234.567"};
    QTest::newRow("expression") << 4 << QByteArray("DTOSDAT") << QByteArray("DTOS(DATUM)") << 'C' << 8 << false
                                << QList<uint32_t>{4, 2, 3, 1, 5}
                                << QList<QByteArray>{"18991230", "19991231", "20000229", "20240131", "20250101"};
}

void IndexFileTest::readsTdbfFile()
{
    QFETCH(int, tag);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, expression);
    QFETCH(char, keyType);
    QFETCH(int, keyLength);
    QFETCH(bool, descending);
    QFETCH(QList<uint32_t>, records);
    QFETCH(QList<QByteArray>, keys);

    const IndexFile file = parseIndexFile(fileBytes(KADMOR_TEST_DATA "/mdx/tdbf.mdx"), "tdbf.mdx");
    QCOMPARE(file.tags.size(), 5);
    QCOMPARE(file.language, 0xC8);
    const Tag& t = file.tags[tag];
    QCOMPARE(t.info.name, name);
    QCOMPARE(t.info.expression, expression);
    QCOMPARE(t.info.keyType, keyType);
    QCOMPARE(t.info.keyLength, keyLength);
    QCOMPARE(t.info.descending, descending);
    QCOMPARE(t.info.unique, false);
    QCOMPARE(QList<uint32_t>(t.recordNumbers.begin(), t.recordNumbers.end()), records);
    for (qsizetype i = 0; i < t.size(); ++i)
        QCOMPARE(keyText(t, i), keys[i]);
}

void IndexFileTest::writesHeaderAndTagsAsDbaseLaysThemOut()
{
    IndexFile index{"kadmor", 0xC8, {sortedTag('C', 3, 2), sortedTag('N', 12, 2)}};
    index.tags[0].info.name = "LEK";
    index.tags[0].info.expression = "LEK";
    index.tags[1].info.name = "PRUM";
    index.tags[1].info.expression = "PRUM";
    const QByteArray bytes = buildIndexFile(index, QDate(2026, 12, 9));

    const QByteArray expectedHeader = QByteArray::fromHex("027e0c09") + QByteArray("kadmor").leftJustified(16, '\0') +
                                      QByteArray::fromHex("0200000401302000020000c8");
    QCOMPARE(bytes.left(32).toHex(' '), expectedHeader.toHex(' '));
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + kPageCountOffset) * kPageSize, quint32(bytes.size()));
    QCOMPARE(bytes.mid(kUpdatedOffset, 3).toHex(), QByteArray("7e0c09"));

    // tag table: header page, name, field key, reserved 0x02, key type
    QCOMPARE(bytes.mid(kTagTableOffset, 21).toHex(' '),
             QByteArray::fromHex("04000000 4c454b0000000000000000 10 000000 02 43").toHex(' '));
    QCOMPARE(bytes.at(kTagTableOffset + kTagEntrySize + kEntryKeyTypeOffset), 'N');

    // tag headers: key format, type, length, keys per block, item length, expression
    const qsizetype lek = 4 * kPageSize;
    QCOMPARE(bytes.mid(lek + 8, 12).toHex(' '), QByteArray::fromHex("10 43 0000 0300 7f00 0000 0800").toHex(' '));
    QCOMPARE(bytes.mid(lek + kExpressionOffset, 4), QByteArray("LEK\0", 4));
    const qsizetype prum = qFromLittleEndian<quint32>(bytes.constData() + kTagTableOffset + kTagEntrySize) * kPageSize;
    QCOMPARE(bytes.mid(prum + 8, 12).toHex(' '), QByteArray::fromHex("00 4e 0000 0c00 3f00 0000 1000").toHex(' '));
}

void IndexFileTest::treesRoundTrip_data()
{
    QTest::addColumn<char>("keyType");
    QTest::addColumn<int>("keyLength");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("depth");
    // a leaf holds (1024 - 8 - 4) / item length keys: 126 of 3 bytes, 23 of 40, 63 numeric
    QTest::newRow("empty") << 'C' << 3 << 0 << 1;
    QTest::newRow("one") << 'C' << 40 << 1 << 1;
    QTest::newRow("a full leaf") << 'C' << 3 << 126 << 1;
    QTest::newRow("one more than a leaf") << 'C' << 3 << 127 << 2;
    QTest::newRow("numeric, two levels") << 'N' << 12 << 600 << 2;
    QTest::newRow("three levels") << 'C' << 40 << 700 << 3;
    QTest::newRow("longest key") << 'C' << 100 << 2000 << 4;
}

void IndexFileTest::treesRoundTrip()
{
    QFETCH(char, keyType);
    QFETCH(int, keyLength);
    QFETCH(int, count);
    QFETCH(int, depth);
    const Tag tag = sortedTag(keyType, keyLength, count);
    const QByteArray bytes = buildIndexFile({"t", 0xC8, {tag}}, QDate::currentDate());
    QCOMPARE(treeDepth(bytes), depth);

    const IndexFile read = parseIndexFile(bytes, "t.mdx");
    QCOMPARE(read.tags.size(), 1);
    QCOMPARE(read.tags[0].recordNumbers, tag.recordNumbers);
    QCOMPARE(read.tags[0].keys, tag.keys);
}

void IndexFileTest::rejectsDamagedFiles_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("truncate");
    const int tagHeader = 4 * kPageSize;
    const int firstLeaf = 6 * kPageSize;
    // three leaves of 126 keys under a root at page 12
    QTest::newRow("cut short") << 3 * kPageSize << QByteArray() << true;
    QTest::newRow("root outside the file") << tagHeader << QByteArray::fromHex("ff000000") << false;
    QTest::newRow("root is the tag header") << tagHeader << QByteArray::fromHex("04000000") << false;
    QTest::newRow("block count too large") << firstLeaf << QByteArray::fromHex("80000000") << false;
    QTest::newRow("child met twice") << 12 * kPageSize + 8 + 8 << QByteArray::fromHex("06000000") << false;
    QTest::newRow("branch key below its subtree") << 12 * kPageSize + 8 + 4 << QByteArray("   ") << false;
    QTest::newRow("block size") << kBlockSizeOffset << QByteArray::fromHex("0002") << false;
    // 65,535 keys of 65,535 bytes: the product overflows 32 bits
    QTest::newRow("keys per block and item length")
        << tagHeader + kKeysPerBlockOffset << QByteArray::fromHex("ffff0000ffff") << false;
}

void IndexFileTest::rejectsDamagedFiles()
{
    QFETCH(int, offset);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, truncate);
    QByteArray file = buildIndexFile({"t", 0xC8, {sortedTag('C', 3, 378)}}, QDate::currentDate());
    QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 4 * kPageSize), 12u); // the root, as the rows assume
    if (truncate)
        file.truncate(offset);
    else
        file.replace(offset, bytes.size(), bytes);
    QVERIFY_THROWS_EXCEPTION(kadmor::Error, parseIndexFile(file, "t.mdx"));
}

QTEST_GUILESS_MAIN(IndexFileTest)
#include "tst_index_file.moc"
