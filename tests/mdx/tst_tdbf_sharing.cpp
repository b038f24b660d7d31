// SPDX-License-Identifier: GPL-3.0-or-later
// Our engine and Free Pascal's TDbf on one word table at the same time, TDbf built with the lock
// layout it uses on Windows: appends of both lose nothing and the production index lists every
// record; a record one of them edits is refused to the other.
#include "tdbf_checker.h"
#include "test_tables.h"

#include "base/error.h"
#include "storage/file_records.h"
#include "storage/mdx/layout_tags.h"
#include "storage/mdx/production_index.h"
#include "storage/table.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace kadmor;
using namespace mdxtest;

namespace {

QString tdbfShare()
{
    return QStringLiteral(TDBFSHARE);
}

// With an index, the table gets its production index from our engine, and both keep it.
QString createWordTable(const QTemporaryDir& dir, bool index = true)
{
    const QString path = dir.filePath(layouts::words().fileName);
    createTable(path, layouts::words());
    if (!index) {
        setProductionIndexFlags(path, {});
        QFile::remove(findIndexFile(path));
    }
    return path;
}

std::unique_ptr<Table> openWordTable(const QTemporaryDir& dir, bool index)
{
    // Without a layout the engine keeps the tags the file declares: none without an index.
    auto table = index ? std::make_unique<Table>(layouts::words()) : std::make_unique<Table>();
    table->setDatabaseName(dir.path());
    table->setTableName(layouts::words().fileName);
    table->open();
    return table;
}

QMap<QString, int> wordsIn(const QString& path)
{
    QMap<QString, int> words;
    for (const FileRecord& record : readFileRecords(path).records)
        ++words[record.deleted ? QStringLiteral("(deleted)") : record.values[1]];
    return words;
}

} // namespace

class TdbfSharingTest : public QObject
{
    Q_OBJECT

  private slots:
    void simultaneousAppendsLoseNothing_data();
    void simultaneousAppendsLoseNothing();
    void editedRecordsRefuseEachOther();
};

void TdbfSharingTest::simultaneousAppendsLoseNothing_data()
{
    QTest::addColumn<bool>("index");
    QTest::newRow("no index") << false;
    QTest::newRow("production index") << true;
}

void TdbfSharingTest::simultaneousAppendsLoseNothing()
{
    QFETCH(bool, index);
    const int rounds = 3;
    const int count = qEnvironmentVariableIntValue("KADMOR_SHARED_APPENDS") > 0
                          ? qEnvironmentVariableIntValue("KADMOR_SHARED_APPENDS")
                          : 1000;
    QTemporaryDir dir;
    dir.setAutoRemove(!qEnvironmentVariableIsSet("KADMOR_KEEP_TABLES"));
    const QString path = createWordTable(dir, index);
    for (int round = 1; round <= rounds; ++round) {
        const QString theirs = QStringLiteral("tdbf%1-").arg(round);
        const QString ours = QStringLiteral("ours%1-").arg(round);
        // Both have the table open before either appends: TDbf corrects a header count that
        // differs from the records in the file when it opens, without any lock.
        QProcess other;
        other.setProcessChannelMode(QProcess::MergedChannels);
        other.start(tdbfShare(), {QStringLiteral("append"), path, QString::number(count), theirs});
        QVERIFY2(other.waitForReadyRead(60'000), qPrintable(other.errorString()));
        QCOMPARE(QString::fromLatin1(other.readLine()).trimmed(), QStringLiteral("open"));
        {
            const auto table = openWordTable(dir, index);
            other.write("go\n");
            for (int i = 1; i <= count; ++i) {
                table->append();
                table->fieldByName(QStringLiteral("LEK")).setAsString(QStringLiteral("  1"));
                table->fieldByName(QStringLiteral("ANGL")).setAsString(ours + QString::number(i));
                table->fieldByName(QStringLiteral("CES")).setAsString(QString::number(i));
                table->post();
            }
        }
        QVERIFY(other.waitForFinished(120'000));
        QVERIFY2(other.exitCode() == 0, qPrintable(other.readAll()));

        const QMap<QString, int> words = wordsIn(path);
        for (auto word = words.begin(); word != words.end(); ++word)
            if (!word.key().startsWith(u"ours") && !word.key().startsWith(u"tdbf"))
                qWarning("unexpected %s x%d", qPrintable(word.key()), word.value());
        QCOMPARE(words.size(), 2 * count * round); // nothing else: no empty or half-written record
        for (int r = 1; r <= round; ++r)
            for (int i = 1; i <= count; ++i)
                for (const QString& prefix : {QStringLiteral("tdbf%1-"), QStringLiteral("ours%1-")}) {
                    const QString word = prefix.arg(r) + QString::number(i);
                    QVERIFY2(words.value(word) == 1,
                             qPrintable(QStringLiteral("%1 is there %2 times").arg(word).arg(words.value(word))));
                }
        if (!index)
            continue;
        // The index as both left it: TDbf reads the blocks it changes before it locks them, so a
        // block we changed meanwhile may be written back as TDbf read it. Our index then keeps
        // no fingerprint, and our next open checks it in full and mends it.
        const bool asLeft = productionIndexIsCurrent(path, mdxTagsOf(layouts::words()));
        qInfo("round %d: the index as both programs left it is %s", round, asLeft ? "current" : "not current");
        openWordTable(dir, index);
        QVERIFY(productionIndexIsCurrent(path, mdxTagsOf(layouts::words())));
        const TdbfResult walked =
            runTdbf(QStringList{"check", path, "-anydup"} + tagArguments(layouts::words()));
        QVERIFY2(walked.exitCode == 0, qPrintable(walked.output));
    }
}

void TdbfSharingTest::editedRecordsRefuseEachOther()
{
    QTemporaryDir dir;
    const QString path = createWordTable(dir);
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    table.open();
    table.setIndexName(QString()); // file order: row n is record n + 1
    for (int i = 1; i <= 4; ++i) {
        table.append();
        table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("w%1").arg(i));
        table.post();
    }
    const auto tdbfEdits = [&](int record) {
        QProcess other;
        other.start(tdbfShare(), {QStringLiteral("edit"), path, QString::number(record), QStringLiteral("theirs")});
        if (!other.waitForFinished(60'000) || other.exitCode() != 0)
            qFatal("tdbfshare edit failed: %s", other.readAll().constData());
        return QString::fromLatin1(other.readAll()).trimmed();
    };

    // We hold record 3: TDbf may edit 4, not 3.
    table.moveToRow(2);
    table.edit();
    table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("ours"));
    QVERIFY(tdbfEdits(3).startsWith(QStringLiteral("refused")));
    QCOMPARE(tdbfEdits(4), QStringLiteral("edited"));
    table.post();

    // TDbf holds record 3: we may edit 4, and are told in Czech that 3 is being edited.
    QProcess holder;
    holder.start(tdbfShare(), {QStringLiteral("hold"), path, QStringLiteral("3"), QStringLiteral("30")});
    QVERIFY(holder.waitForReadyRead(60'000));
    QCOMPARE(QString::fromLatin1(holder.readLine()).trimmed(), QStringLiteral("held"));
    table.refresh();
    table.moveToRow(2);
    try {
        table.edit();
        QFAIL("edited a record TDbf holds");
    } catch (const Error& error) {
        QCOMPARE(error.text(), QStringLiteral("Záznam 3 tabulky kadmor.dbf právě upravuje jiný uživatel. Zkuste to později."));
    }
    table.moveToRow(3);
    table.edit();
    table.fieldByName(QStringLiteral("CES")).setAsString(QStringLiteral("naše"));
    table.post();
    holder.kill();
    holder.waitForFinished();

    table.close();
    QStringList angl;
    for (const FileRecord& record : readFileRecords(path).records)
        angl.append(record.values[1]);
    QCOMPARE(angl, (QStringList{"w1", "w2", "ours", "theirs"}));
}

QTEST_GUILESS_MAIN(TdbfSharingTest)
#include "tst_tdbf_sharing.moc"
