// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/mdx/dbf_table.h"
#include "storage/mdx/index_editor.h"
#include "storage/mdx/layout_tags.h"
#include "storage/mdx/mdx_format.h"
#include "storage/mdx/production_index.h"
#include "storage/table.h"
#include "tdbf_checker.h"
#include "test_tables.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>
#include <sys/stat.h>

using namespace kadmor;
using namespace mdxtest;

// Writes through the engine change the production index in place, block by block; whatever mix
// of edits, appends and deletions, Free Pascal's TDbf walks and searches every tag, and our own
// full check finds the index current. An index someone else changed, or one whose change was cut
// short, is still found out and rebuilt.
class IncrementalIndexTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void randomChangesKeepEveryTag();
    void blockSplitsAndMerges_data();
    void blockSplitsAndMerges();
    void tagEmptiedAndFilledAgain();
    void staleOrTornIndexIsRebuilt_data();
    void staleOrTornIndexIsRebuilt();

  private:
    void openWords(Table& table) const;
    void expectSound(const QString& path) const;
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

ino_t inodeOf(const QString& path)
{
    struct stat info = {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// The fixed seed's operations; KADMOR_INDEX_EDITS asks for more (or fewer).
int editCount()
{
    const int asked = qEnvironmentVariableIntValue("KADMOR_INDEX_EDITS");
    return asked > 0 ? asked : 10000;
}

void setKeys(Table& table, const QString& lesson, const QString& english, const QString& czech)
{
    table.fieldByName(QStringLiteral("LEK")).setAsString(lesson);
    table.fieldByName(QStringLiteral("ANGL")).setAsString(english);
    table.fieldByName(QStringLiteral("CES")).setAsString(czech);
}

// Few distinct values, so that equal keys spread over several blocks, and blanks among them.
QString pick(QRandomGenerator& random, const QString& prefix, int distinct)
{
    const int n = int(random.bounded(distinct + 1));
    return n == distinct ? QString() : prefix + QString::number(n).rightJustified(5, QLatin1Char('0'));
}

} // namespace

void IncrementalIndexTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void IncrementalIndexTest::openWords(Table& table) const
{
    table.setDatabaseName(m_dir->path());
    table.setTableName(layouts::words().fileName);
    table.open();
}

void IncrementalIndexTest::expectSound(const QString& path) const
{
    const TdbfResult result = runTdbf(QStringList{"check", path, "-anydup"} + tagArguments(layouts::words()));
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QCOMPARE(result.output.count(QStringLiteral("entries in order")), 3);
    QVERIFY(productionIndexIsCurrent(path, mdxTagsOf(layouts::words())));
}

void IncrementalIndexTest::randomChangesKeepEveryTag()
{
    const QString path = createFilledTable(m_dir->path(), layouts::words(), 200, 3);
    const QString index = findIndexFile(path);
    const ino_t inode = inodeOf(index);
    Table table(layouts::words());
    openWords(table);
    QRandomGenerator random(2024);
    const int edits = editCount();
    for (int i = 0; i < edits; ++i) {
        const quint32 what = random.bounded(10);
        if (what < 5 && table.recordCount() > 0) {
            table.moveToRow(int(random.bounded(table.recordCount())));
            table.edit();
            setKeys(table, pick(random, "L", 30), pick(random, "w", 400), pick(random, "s", 3));
            table.post();
        } else if (what < 8) {
            table.append();
            setKeys(table, pick(random, "L", 30), pick(random, "w", 400), pick(random, "s", 3));
            table.post();
        } else if (table.recordCount() > 0) {
            table.moveToRow(int(random.bounded(table.recordCount())));
            table.remove();
        }
        if ((i + 1) % (edits / 4) == 0)
            QVERIFY2(productionIndexIsCurrent(path, mdxTagsOf(layouts::words())), qPrintable(QString::number(i)));
    }
    table.close();
    QCOMPARE(inodeOf(index), inode); // changed in place, never replaced
    expectSound(path);
}

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void patch(const QString& path, qint64 offset, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

using Changes = std::function<void(Table&)>;

void IncrementalIndexTest::blockSplitsAndMerges_data()
{
    QTest::addColumn<Changes>("changes");
    QTest::newRow("many inserts into one leaf") << Changes([](Table& table) {
        for (int i = 0; i < 1500; ++i) { // all between two neighbouring keys of the 300 below
            table.append();
            setKeys(table, "L1", QStringLiteral("w00150-%1").arg(1500 - i, 4, 10, QLatin1Char('0')), "m");
            table.post();
        }
    });
    QTest::newRow("keys moving from the first leaf to the last") << Changes([](Table& table) {
        table.setIndexName(QStringLiteral("angl"));
        for (int i = 0; i < 250; ++i) {
            table.first();
            table.edit();
            setKeys(table, "L9", QStringLiteral("zz%1").arg(i, 4, 10, QLatin1Char('0')), "s");
            table.post();
        }
    });
    QTest::newRow("keys moving from the last leaf to the first") << Changes([](Table& table) {
        table.setIndexName(QStringLiteral("angl"));
        for (int i = 0; i < 250; ++i) {
            table.last();
            table.edit();
            setKeys(table, "L0", QStringLiteral("a%1").arg(1000 - i, 4, 10, QLatin1Char('0')), "s");
            table.post();
        }
    });
    QTest::newRow("one key for every record") << Changes([](Table& table) {
        table.first();
        while (!table.eof()) {
            table.edit();
            setKeys(table, "L5", "same", "same");
            table.post();
            table.next();
        }
    });
}

void IncrementalIndexTest::blockSplitsAndMerges()
{
    QFETCH(Changes, changes);
    createTable(m_dir->filePath(layouts::words().fileName), layouts::words());
    Table table(layouts::words());
    openWords(table);
    for (int i = 0; i < 300; ++i) {
        table.append();
        setKeys(table, QStringLiteral("L%1").arg(i % 3), QStringLiteral("w%1").arg(i, 5, 10, QLatin1Char('0')),
                QStringLiteral("s%1").arg(i % 50));
        table.post();
    }
    const QString index = findIndexFile(table.filePath());
    const ino_t inode = inodeOf(index);
    changes(table);
    table.close();
    QCOMPARE(inodeOf(index), inode);
    expectSound(m_dir->filePath(layouts::words().fileName));
}

// Removing every entry leaves each tag an empty root leaf; the freed blocks serve the new ones.
void IncrementalIndexTest::tagEmptiedAndFilledAgain()
{
    const QString path = createFilledTable(m_dir->path(), layouts::words(), 600, 8);
    const QString index = findIndexFile(path);
    const qint64 size = QFileInfo(index).size();
    const auto freeBlocks = [&] {
        return qFromLittleEndian<quint32>(contentOf(index).constData() + mdx::kFreeBlocksOffset);
    };
    const mdx::IndexFile full = readProductionIndex(path);
    {
        mdx::IndexEditor editor(index, mdx::IndexEditor::Access::ReadWrite);
        for (const mdx::Tag& tag : full.tags) {
            const int t = editor.tagNamed(tag.info.name);
            for (qsizetype entry = 0; entry < tag.size(); ++entry)
                QVERIFY(editor.remove(t, tag.key(entry), tag.recordNumbers[size_t(entry)]));
            QVERIFY(!editor.remove(t, tag.key(0), tag.recordNumbers[0])); // gone already
        }
        editor.commit({});
    }
    for (const mdx::Tag& tag : readProductionIndex(path).tags)
        QCOMPARE(tag.size(), 0);
    QCOMPARE(QFileInfo(index).size(), size);
    QVERIFY(freeBlocks() > 10);
    {
        mdx::IndexEditor editor(index, mdx::IndexEditor::Access::ReadWrite);
        for (const mdx::Tag& tag : full.tags) {
            const int t = editor.tagNamed(tag.info.name);
            for (qsizetype entry = tag.size() - 1; entry >= 0; --entry) // the reverse way in
                editor.insert(t, tag.key(entry), tag.recordNumbers[size_t(entry)]);
        }
        editor.commit({});
    }
    QCOMPARE(freeBlocks(), 0u); // every freed block served again before the file grew
    const TdbfResult result = runTdbf(QStringList{"check", path, "-anydup"} + tagArguments(layouts::words()));
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QVERIFY(productionIndexIsCurrent(path, mdxTagsOf(layouts::words())));
}

using Damage = std::function<void(const QString& table, const QString& index, const QByteArray& earlierIndex)>;

void IncrementalIndexTest::staleOrTornIndexIsRebuilt_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::newRow("a key changed by another program") << Damage([](const QString& table, auto&, auto&) {
        const mdx::DbfTable t = mdx::readDbfHeader(table);
        patch(table, t.headerLength + t.field("ANGL")->offset, "zzzz");
    });
    QTest::newRow("the index of before the last change put back")
        << Damage([](auto&, const QString& index, const QByteArray& earlier) {
               QFile file(index);
               QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
               file.write(earlier);
           });
    // Cut short after withdrawing the fingerprint, while the blocks were written.
    QTest::newRow("a change of ours cut short") << Damage([](auto&, const QString& index, auto&) {
        patch(index, mdx::kFingerprintMarkOffset, QByteArray(mdx::kFingerprintMarkSize, '\0'));
        const qint64 size = QFileInfo(index).size();
        patch(index, size - mdx::kBlockSize, QByteArray(mdx::kBlockSize / 2, '\x55'));
    });
    QTest::newRow("a block lost, fingerprint withdrawn") << Damage([](auto&, const QString& index, auto&) {
        patch(index, mdx::kFingerprintMarkOffset, QByteArray(mdx::kFingerprintMarkSize, '\0'));
        QFile::resize(index, QFileInfo(index).size() - mdx::kBlockSize);
    });
}

void IncrementalIndexTest::staleOrTornIndexIsRebuilt()
{
    QFETCH(Damage, damage);
    const QString path = createFilledTable(m_dir->path(), layouts::words(), 400, 21);
    const QString index = findIndexFile(path);
    const QByteArray earlier = contentOf(index);
    {
        Table table(layouts::words());
        openWords(table);
        table.first();
        table.edit();
        setKeys(table, "L7", "aaaa", "bbbb");
        table.post();
    }
    QVERIFY(productionIndexIsCurrent(path, mdxTagsOf(layouts::words())));
    damage(path, index, earlier);
    QVERIFY(!productionIndexIsCurrent(path, mdxTagsOf(layouts::words())));

    Table table(layouts::words());
    openWords(table); // rebuilds it quietly
    table.close();
    expectSound(path);
}

QTEST_GUILESS_MAIN(IncrementalIndexTest)
#include "tst_incremental_index.moc"
