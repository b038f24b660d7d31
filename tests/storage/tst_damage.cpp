// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged tables: a header count that does not match the records in the file, an unknown code
// page. Nothing may hide records and then write over them or cut them off; the administrator's
// tool finds the damage and repairs it after asking.
#include "test_support.h"

#include "base/error.h"
#include "storage/file_records.h"
#include "storage/table.h"
#include "tool_run.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

using namespace kadmor;

namespace {

constexpr int kRecords = 66;
constexpr int kRecordCountOffset = 4;
constexpr int kLanguageOffset = 29;

const TableLayout kWordsLikeLayout{QStringLiteral("kadmor.dbf"),
                                   {FieldSpec{QStringLiteral("NAME"), FieldType::Character, 12},
                                    FieldSpec{QStringLiteral("COUNT"), FieldType::Numeric, 6}},
                                   {},
                                   {}};

testkit::ToolRun kadmorTable(const QStringList& arguments, const QByteArray& input = {})
{
    return testkit::runTool(QStringLiteral(KADMOR_BINARY_DIR "/tools/kadmor-table"), arguments, {}, input);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void overwrite(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString sampleTable(const QTemporaryDir& dir)
{
    QList<QStringList> rows;
    for (int i = 0; i < kRecords; ++i)
        rows.append({QStringLiteral("k%1").arg(i), QString::number(i)});
    return test::createTableWith(dir, kWordsLikeLayout, rows);
}

void setCount(QByteArray& table, quint32 count)
{
    qToLittleEndian<quint32>(count, table.data() + kRecordCountOffset);
}

int headerLength(const QByteArray& table)
{
    return qFromLittleEndian<quint16>(table.constData() + 8);
}

int recordLength(const QByteArray& table)
{
    return qFromLittleEndian<quint16>(table.constData() + 10);
}

QStringList namesIn(const QString& path)
{
    QStringList names;
    for (const FileRecord& record : readFileRecords(path).records)
        names.append(record.values[0]);
    return names;
}

QStringList expectedNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("k%1").arg(i));
    return names;
}

using Damage = std::function<void(QByteArray&)>;

} // namespace

class DamageTest : public QObject
{
    Q_OBJECT

  private slots:
    void damagedTableIsRefusedAndKeptWhole_data();
    void damagedTableIsRefusedAndKeptWhole();
    void oneUnfinishedAppendIsKept();
    void toolChecksAndRepairsAfterAsking();
};

void DamageTest::damagedTableIsRefusedAndKeptWhole_data()
{
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<QString>("message");
    QTest::newRow("count far too small") << Damage([](QByteArray& t) { setCount(t, 10); })
                                         << QStringLiteral("hlavička uvádí 10 záznamů, soubor jich však obsahuje 66");
    QTest::newRow("count two past the data")
        << Damage([](QByteArray& t) { setCount(t, kRecords + 2); })
        << QStringLiteral("hlavička uvádí 68 záznamů, soubor však končí po 66 celých záznamech");
    QTest::newRow("count two short") << Damage([](QByteArray& t) { setCount(t, kRecords - 2); })
                                     << QStringLiteral("hlavička uvádí 64 záznamů");
    QTest::newRow("cut in the middle of its records")
        << Damage([](QByteArray& t) { t.truncate(headerLength(t) + 40 * recordLength(t) + 5); })
        << QStringLiteral("soubor však končí po 40 celých záznamech");
    QTest::newRow("unknown code page") << Damage([](QByteArray& t) { t[kLanguageOffset] = char(0x7B); })
                                       << QStringLiteral("neznámá kódová stránka (jazykový bajt 0x7b)");
}

void DamageTest::damagedTableIsRefusedAndKeptWhole()
{
    QFETCH(Damage, damage);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = sampleTable(dir);
    QByteArray bytes = contentOf(path);
    damage(bytes);
    overwrite(path, bytes);

    Table table(kWordsLikeLayout);
    table.setDatabaseName(dir.path());
    try {
        table.open();
        QFAIL("opened a damaged table");
    } catch (const Error& error) {
        QVERIFY2(error.text().contains(QStringLiteral("kadmor.dbf")) && error.text().contains(message),
                 qPrintable(error.text()));
    }
    QVERIFY(!table.isOpen());
    for (const QStringList& command :
         {QStringList{QStringLiteral("dump"), path}, QStringList{QStringLiteral("pack"), path}}) {
        const testkit::ToolRun run = kadmorTable(command);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }
    QCOMPARE(kadmorTable({QStringLiteral("append"), path}, "sheep\t1\n").exitCode, 1);
    QVERIFY_THROWS_EXCEPTION(Error, table.emptyTable());
    QCOMPARE(contentOf(path), bytes);
}

// A writer killed after writing its record but before raising the count leaves one whole
// record past the count: the table opens without it, and the next append counts it with its
// own instead of writing over it, so that nothing written is lost.
void DamageTest::oneUnfinishedAppendIsKept()
{
    QTemporaryDir dir;
    const QString path = sampleTable(dir);
    QByteArray bytes = contentOf(path);
    setCount(bytes, kRecords - 1);
    overwrite(path, bytes);

    QCOMPARE(namesIn(path), expectedNames(kRecords - 1));
    QCOMPARE(kadmorTable({QStringLiteral("check"), path}).exitCode, 0);
    QCOMPARE(kadmorTable({QStringLiteral("append"), path}, "sheep\t1\n").exitCode, 0);
    QCOMPARE(namesIn(path), expectedNames(kRecords) << QStringLiteral("sheep"));
}

void DamageTest::toolChecksAndRepairsAfterAsking()
{
    QTemporaryDir dir;
    const QString path = sampleTable(dir);
    QByteArray bytes = contentOf(path);
    setCount(bytes, 10);
    overwrite(path, bytes);

    const testkit::ToolRun check = kadmorTable({QStringLiteral("check"), path});
    QCOMPARE(check.exitCode, 1);
    QVERIFY2(check.out.contains(QStringLiteral("Hlavička uvádí 10 záznamů, soubor obsahuje 66 celých záznamů.")),
             qPrintable(check.out));

    const testkit::ToolRun declined = kadmorTable({QStringLiteral("repair"), path}, "n\n");
    QVERIFY2(declined.err.contains(QStringLiteral("nastaví na 66")), qPrintable(declined.err));
    QCOMPARE(contentOf(path), bytes);

    const testkit::ToolRun repaired = kadmorTable({QStringLiteral("repair"), path}, "a\n");
    QVERIFY2(repaired.exitCode == 0, qPrintable(repaired.err));
    QVERIFY2(repaired.out.contains(QStringLiteral("Opraveno: tabulka má 66 záznamů.")), qPrintable(repaired.out));
    QCOMPARE(namesIn(path), expectedNames(kRecords));
    const QByteArray after = contentOf(path);
    QCOMPARE(after.mid(headerLength(after)), bytes.mid(headerLength(bytes))); // every record as it was
    QCOMPARE(test::readWithDbfread(path)[QStringLiteral("records")].toArray().size(), kRecords);
    QCOMPARE(kadmorTable({QStringLiteral("check"), path}).exitCode, 0);
}

QTEST_GUILESS_MAIN(DamageTest)
#include "tst_damage.moc"
