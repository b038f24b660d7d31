// SPDX-License-Identifier: GPL-3.0-or-later
// Several programs on one table: locks, refresh, concurrent writers and writers killed mid-way.
// The test program also plays the other programs: started with "--child MODE PATH ...".
#include "test_support.h"

#include "base/error.h"
#include "storage/dbf_file.h"
#include "storage/file_records.h"
#include "storage/table.h"
#include "storage/table_group.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <QtEndian>

#include <array>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace kadmor;

namespace {

// NAME C(12), COUNT N(6,0); no layout: the fields come from the file.
const TableLayout kCounterLayout{QStringLiteral("counter.dbf"),
                                 {FieldSpec{QStringLiteral("NAME"), FieldType::Character, 12},
                                  FieldSpec{QStringLiteral("COUNT"), FieldType::Numeric, 6}},
                                 {},
                                 {}};

void openAt(Table& table, const QString& path, bool exclusive = false)
{
    table.setTableName(path);
    table.setExclusive(exclusive);
    table.open();
}

void appendRecord(Table& table, const QString& name, int count)
{
    table.append();
    table.fieldByName(QStringLiteral("NAME")).setAsString(name);
    table.fieldByName(QStringLiteral("COUNT")).setAsInteger(count);
    table.post();
}

// Raises COUNT of the first record by one, waiting while another program edits it.
void increment(Table& table)
{
    for (;;) {
        try {
            table.first();
            table.edit();
            Field& count = table.fieldByName(QStringLiteral("COUNT"));
            count.setAsInteger(count.asInteger() + 1);
            table.post();
            return;
        } catch (const Error&) {
            table.cancel();
            QThread::usleep(500);
        }
    }
}

// Child: appends `rounds` records named after itself and raises the shared counter as often,
// starting at the given moment so that both children really run at once.
int childCount(const QString& path, int rounds, qint64 startAt)
{
    Table table;
    openAt(table, path);
    QThread::msleep(qMax<qint64>(0, startAt - QDateTime::currentMSecsSinceEpoch()));
    const QString me = QString::number(QCoreApplication::applicationPid());
    for (int i = 0; i < rounds; ++i) {
        appendRecord(table, me + u'-' + QString::number(i), i);
        increment(table);
    }
    return 0;
}

// Child until killed: appends records "k<n>" with COUNT n and rewrites older ones in place,
// reporting on stdout every record whose append has returned.
int childAppend(const QString& path)
{
    Table table;
    openAt(table, path);
    for (int n = table.recordCount();; ++n) {
        appendRecord(table, QStringLiteral("k%1").arg(n), n);
        std::printf("%d\n", n);
        std::fflush(stdout);
        table.moveToRow(int(QRandomGenerator::global()->bounded(table.recordCount())));
        table.edit();
        table.fieldByName(QStringLiteral("NAME")).setAsString(table.fieldByName(QStringLiteral("NAME")).asString());
        table.post();
    }
}

// Child until killed: holds the table exclusively, appends, deletes and packs in turn.
int childChurn(const QString& path)
{
    Table table;
    openAt(table, path, true);
    for (int n = 0;; ++n) {
        appendRecord(table, QStringLiteral("k%1").arg(n), n);
        if (n % 3 == 0) {
            table.first();
            table.remove();
        }
        if (n % 7 == 0 && table.pack() != Table::PackDone)
            return 1;
    }
}

// Child until killed: opens the table anew for each record, as the administrator's tool does,
// and reports every record whose append has returned. A table held by the packer is tried again.
int childAppendOneByOne(const QString& path, const QString& prefix)
{
    for (int n = 0;; ++n) {
        for (;;) {
            try {
                Table table;
                openAt(table, path);
                appendRecord(table, prefix + QString::number(n), n);
                table.close();
                break;
            } catch (const Error&) {
                QThread::usleep(200);
            }
        }
        std::printf("%s%d\n", qPrintable(prefix), n);
        std::fflush(stdout);
    }
}

// Child until killed: packs the table back to back.
int childPack(const QString& path)
{
    for (;;) {
        try {
            Table table;
            openAt(table, path, true);
            if (table.pack() != Table::PackDone)
                return 1;
        } catch (const Error&) {
            QThread::usleep(200); // an appender has it open
        }
    }
}

int runChild(const QStringList& arguments)
{
    try {
        const QString& mode = arguments[2];
        const QString& path = arguments[3];
        if (mode == u"count")
            return childCount(path, arguments[4].toInt(), arguments[5].toLongLong());
        if (mode == u"append")
            return childAppend(path);
        if (mode == u"churn")
            return childChurn(path);
        if (mode == u"append-one-by-one")
            return childAppendOneByOne(path, arguments[4]);
        if (mode == u"pack")
            return childPack(path);
    } catch (const Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
    }
    return 1;
}

QProcess* startChild(QObject* parent, const QStringList& arguments)
{
    auto* process = new QProcess(parent);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child")} + arguments);
    if (!process->waitForStarted())
        qFatal("cannot start a child");
    return process;
}

// Every live record must be whole: NAME "k<n>" with COUNT n. dbfread must read the file too;
// it reads on to the end of the file, so it may also show a record whose append was cut off
// before the count was raised.
void verifyWholeRecords(const QString& path, QSet<int>* counts)
{
    Table table;
    openAt(table, path);
    QStringList names;
    for (table.first(); !table.eof(); table.next()) {
        const int count = table.fieldByName(QStringLiteral("COUNT")).asInteger();
        names.append(table.fieldByName(QStringLiteral("NAME")).asString());
        QCOMPARE(names.last(), QStringLiteral("k%1").arg(count));
        counts->insert(count);
    }
    QStringList read;
    for (const QJsonValue& record : test::readWithDbfread(path)[QStringLiteral("records")].toArray())
        read.append(record.toArray()[0].toString());
    QCOMPARE(read.mid(0, names.size()), names);
    QVERIFY(read.size() <= names.size() + 1);
}

} // namespace

class SharingTest : public QObject
{
    Q_OBJECT

  private slots:
    void editedRecordIsLockedForOthers();
    void exclusiveUseShutsOthersOut();
    void tablesHeldTogetherStopAtOneHeldByAnother();
    void refreshShowsOtherProgramsChanges();
    void refreshOfAReplacedFile();
    void twoProgramsAppendAndEditAtOnce();
    void appendSkipsTheSlotAnotherProgramHolds();
    void programKilledWhileAppendingLosesNothingFinished();
    void programKilledWhilePackingLeavesATable();
    void appendRacingAPackLandsInTheTable();
    void appendersAgainstAPackerLoseNothing();

  private:
    QTemporaryDir m_dir;
};

void SharingTest::editedRecordIsLockedForOthers()
{
    const QString path = test::createTableWith(m_dir, kCounterLayout, {{"a", "1"}, {"b", "2"}});
    Table mine;
    Table theirs;
    openAt(mine, path);
    openAt(theirs, path);
    mine.first();
    mine.edit();
    mine.fieldByName(QStringLiteral("COUNT")).setAsInteger(10);

    theirs.first();
    try {
        theirs.edit();
        QFAIL("edited a record another program is editing");
    } catch (const Error& error) {
        QVERIFY2(error.text().contains(QStringLiteral("právě upravuje jiný uživatel")), qPrintable(error.text()));
    }
    QCOMPARE(theirs.state(), TableState::Browse);
    QVERIFY_THROWS_EXCEPTION(Error, theirs.remove());
    theirs.next();
    theirs.edit(); // another record is free
    theirs.cancel();

    mine.post();
    theirs.first();
    theirs.edit(); // free again, and what is edited is what is on disk now
    QCOMPARE(theirs.fieldByName(QStringLiteral("COUNT")).asInteger(), 10);
    theirs.cancel();
}

void SharingTest::exclusiveUseShutsOthersOut()
{
    const QString path = test::createTableWith(m_dir, kCounterLayout, {{"a", "1"}});
    Table first;
    Table second;
    openAt(first, path, true);
    try {
        openAt(second, path);
        QFAIL("opened a table held exclusively");
    } catch (const Error& error) {
        QVERIFY2(error.text().contains(QStringLiteral("výhradně")), qPrintable(error.text()));
    }
    QVERIFY(!second.isOpen());
    first.close();
    openAt(second, path);
    QVERIFY_THROWS_EXCEPTION(Error, openAt(first, path, true));
}

// Packing several tables needs every one of them: the first that another program holds stops it,
// and it and those after it go back to shared use, as far as they open.
void SharingTest::tablesHeldTogetherStopAtOneHeldByAnother()
{
    std::array<Table, 3> tables;
    QList<Table*> group;
    for (int i = 0; i < 3; ++i) {
        TableLayout layout = kCounterLayout;
        layout.fileName = QStringLiteral("counter%1.dbf").arg(i);
        openAt(tables[i], test::createTableWith(m_dir, layout, {{"a", "1"}, {"b", "2"}}));
        tables[i].first();
        tables[i].remove();
        group.append(&tables[i]);
    }
    tables::close(group);
    Table other;
    openAt(other, tables[1].filePath(), true);
    QVERIFY_THROWS_EXCEPTION(Error, tables::openExclusively(group));
    QVERIFY(tables[0].isOpen() && tables[0].exclusive());
    QVERIFY(!tables[1].isOpen() && !tables[1].exclusive());
    QVERIFY(tables[2].isOpen() && !tables[2].exclusive());

    QList<Table*> refused;
    tables::pack(group, [&refused](Table& table) { refused.append(&table); });
    QCOMPARE(refused, (QList<Table*>{&tables[1], &tables[2]}));
    // The header's count of records, deleted ones included: the packed table lost its deleted one.
    const auto countInFile = [](const Table& table) {
        QFile file(table.filePath());
        return file.open(QIODevice::ReadOnly) ? qFromLittleEndian<quint32>(file.read(8).constData() + 4) : 0u;
    };
    QCOMPARE(countInFile(tables[0]), 1u);
    QCOMPARE(countInFile(tables[2]), 2u);

    other.close();
    tables::openShared(group);
    for (Table* table : group)
        QVERIFY(table->isOpen() && !table->exclusive());
}

void SharingTest::refreshShowsOtherProgramsChanges()
{
    const QString path = test::createTableWith(m_dir, kCounterLayout, {{"a", "1"}, {"b", "2"}, {"c", "3"}});
    Table mine;
    Table theirs;
    openAt(mine, path);
    openAt(theirs, path);
    mine.last(); // "c"
    QSignalSpy view(&mine, &Table::viewChanged);

    mine.refresh();
    QCOMPARE(view.count(), 0); // nothing changed, nothing to reload

    appendRecord(theirs, QStringLiteral("d"), 4);
    theirs.first();
    theirs.edit();
    theirs.fieldByName(QStringLiteral("NAME")).setAsString(QStringLiteral("A"));
    theirs.post();
    theirs.next();
    theirs.remove();

    QCOMPARE(mine.recordCount(), 3);
    mine.refresh();
    QCOMPARE(view.count(), 1);
    QCOMPARE(mine.recordCount(), 3);
    QCOMPARE(mine.fieldByName(QStringLiteral("NAME")).asString(), QStringLiteral("c")); // still where it was
    QStringList names;
    for (int row = 0; row < mine.recordCount(); ++row)
        names.append(mine.text(row, 0));
    QCOMPARE(names, (QStringList{"A", "c", "d"}));

    // Our own change keeps the next refresh cheap and quiet.
    mine.edit();
    mine.fieldByName(QStringLiteral("COUNT")).setAsInteger(30);
    mine.post();
    view.clear();
    mine.refresh();
    QCOMPARE(view.count(), 0);
}

void SharingTest::refreshOfAReplacedFile()
{
    const QString path = test::createTableWith(m_dir, kCounterLayout, {{"a", "1"}});
    Table mine;
    openAt(mine, path);
    QTemporaryDir other;
    const QString blank = test::createTableWith(other, kCounterLayout, {{"x", "7"}, {"y", "8"}});
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::copy(blank, path)); // what resetting from the templates does
    // A write now would go to the file put aside and be lost: it is refused instead.
    try {
        appendRecord(mine, QStringLiteral("lost"), 9);
        QFAIL("wrote to a file that is no longer the table");
    } catch (const Error& error) {
        QVERIFY2(error.text().contains(QStringLiteral("mezitím nahradil")), qPrintable(error.text()));
    }
    mine.cancel();
    mine.refresh();
    QCOMPARE(mine.recordCount(), 2);
    QCOMPARE(mine.fieldByName(QStringLiteral("NAME")).asString(), QStringLiteral("x"));
}

void SharingTest::twoProgramsAppendAndEditAtOnce()
{
    const QString path = test::createTableWith(m_dir, kCounterLayout, {{"counter", "0"}});
    constexpr int kRounds = 300;
    const QStringList arguments{QStringLiteral("count"), path, QString::number(kRounds),
                                QString::number(QDateTime::currentMSecsSinceEpoch() + 500)};
    QProcess* one = startChild(this, arguments);
    QProcess* two = startChild(this, arguments);
    QSet<QString> expected;
    for (QProcess* child : {one, two})
        for (int i = 0; i < kRounds; ++i)
            expected.insert(QStringLiteral("%1-%2").arg(child->processId()).arg(i));
    QVERIFY(one->waitForFinished(240000));
    QVERIFY(two->waitForFinished(240000));
    QCOMPARE(one->exitCode(), 0);
    QCOMPARE(two->exitCode(), 0);
    const FileRecords contents = readFileRecords(path);
    QCOMPARE(contents.records.size(), 1 + 2 * kRounds);
    QCOMPARE(contents.records[0].values, (QStringList{"counter", QString::number(2 * kRounds)}));
    QSet<QString> names;
    for (qsizetype i = 1; i < contents.records.size(); ++i)
        names.insert(contents.records[i].values[0]);
    QCOMPARE(names, expected);
}

void SharingTest::programKilledWhileAppendingLosesNothingFinished()
{
    const QString path = test::createTableWith(m_dir, kCounterLayout, {});
    QSet<int> reported;
    for (int round = 0; round < 12; ++round) {
        QProcess* child = startChild(this, {QStringLiteral("append"), path});
        QVERIFY(child->waitForReadyRead(30000));
        QThread::msleep(QRandomGenerator::global()->bounded(5, 60));
        ::kill(pid_t(child->processId()), SIGKILL);
        QVERIFY(child->waitForFinished(30000));
        for (const QByteArray& line : child->readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                reported.insert(line.toInt());
        delete child;

        QSet<int> present;
        verifyWholeRecords(path, &present);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(present.contains(reported), qPrintable(QStringLiteral("round %1").arg(round)));
    }
    QVERIFY(reported.size() > 12);
}

void SharingTest::programKilledWhilePackingLeavesATable()
{
    const QString path = test::createTableWith(m_dir, kCounterLayout, {});
    for (int round = 0; round < 10; ++round) {
        QProcess* child = startChild(this, {QStringLiteral("churn"), path});
        QThread::msleep(QRandomGenerator::global()->bounded(30, 150));
        ::kill(pid_t(child->processId()), SIGKILL);
        QVERIFY(child->waitForFinished(30000));
        delete child;
        QSet<int> present;
        verifyWholeRecords(path, &present);
        if (QTest::currentTestFailed())
            return;
    }
    Table table;
    openAt(table, path, true);
    QCOMPARE(table.pack(), int(Table::PackDone)); // and clears what killed packers left
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("counter.dbf.*")}, QDir::Files), QStringList());
}

// A pack renames its new file over the path just after an appender opened the old one and
// before the appender locks it: the appender must write the new file, not the orphan.
void SharingTest::appendRacingAPackLandsInTheTable()
{
    QTemporaryDir dir;
    const QString path = test::createTableWith(dir, kCounterLayout, {{"k0", "0"}, {"k1", "1"}, {"k2", "2"}});
    {
        Table table;
        openAt(table, path);
        table.moveToRow(1);
        table.remove();
    }
    bool packed = false;
    DbfFile::setBeforeOpenLockHook([&] {
        if (std::exchange(packed, true))
            return; // the packer's own open, and the appender's second one
        Table packer;
        openAt(packer, path, true);
        QCOMPARE(packer.pack(), int(Table::PackDone));
    });
    Table appender;
    openAt(appender, path);
    DbfFile::setBeforeOpenLockHook({});
    QVERIFY(packed);
    appendRecord(appender, QStringLiteral("k3"), 3);
    appender.close();

    const FileRecords contents = readFileRecords(path);
    QStringList names;
    for (const FileRecord& record : contents.records)
        names.append(record.values[0]);
    QCOMPARE(names, (QStringList{"k0", "k2", "k3"}));
    QStringList read;
    for (const QJsonValue& record : test::readWithDbfread(path)[QStringLiteral("records")].toArray())
        read.append(record.toArray()[0].toString());
    QCOMPARE(read, names);
}

// Appenders that open the table for every record, as the tool does, while another program packs
// back to back: every append that reported success is in the table, once. KADMOR_STRESS_SECONDS
// runs it longer.
void SharingTest::appendersAgainstAPackerLoseNothing()
{
    QTemporaryDir dir;
    const QString path = test::createTableWith(dir, kCounterLayout, {});
    const int seconds =
        qEnvironmentVariableIsSet("KADMOR_STRESS_SECONDS") ? qEnvironmentVariableIntValue("KADMOR_STRESS_SECONDS") : 5;
    QProcess* packer = startChild(this, {QStringLiteral("pack"), path});
    QList<QProcess*> appenders{startChild(this, {QStringLiteral("append-one-by-one"), path, QStringLiteral("a")}),
                               startChild(this, {QStringLiteral("append-one-by-one"), path, QStringLiteral("b")})};
    QThread::sleep(seconds);
    for (QProcess* child : appenders + QList<QProcess*>{packer}) {
        ::kill(pid_t(child->processId()), SIGKILL);
        QVERIFY(child->waitForFinished(30000));
    }
    QStringList acknowledged;
    for (QProcess* child : appenders)
        for (const QByteArray& line : child->readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                acknowledged.append(QString::fromLatin1(line));
    qInfo("%lld appends acknowledged in %d s", qlonglong(acknowledged.size()), seconds);
    QVERIFY(acknowledged.size() > 20);

    QMap<QString, int> present;
    for (const FileRecord& record : readFileRecords(path).records)
        ++present[record.values[0]];
    for (const QString& name : acknowledged)
        QVERIFY2(present.value(name) == 1,
                 qPrintable(name + QStringLiteral(" is there %1 times").arg(present.value(name))));
    QVERIFY(present.size() <= acknowledged.size() + 2); // at most the two appends under way when killed
    const qsizetype read = test::readWithDbfread(path)[QStringLiteral("records")].toArray().size();
    QVERIFY(read >= present.size() && read <= present.size() + 1);
}

// Another dBASE program appends as TDbf and the BDE do: it locks the byte of its new record
// (the first past the records in the file) before it takes the header lock, raises the count by
// one, and writes its record last. Our append meanwhile must take the next slot and count only
// itself; a counted slot whose holder died is taken over.
void SharingTest::appendSkipsTheSlotAnotherProgramHolds()
{
    const QString path = test::createTableWith(m_dir, kCounterLayout, {{"a", "1"}, {"b", "2"}});
    const auto lockSlot = [](int fd, int recordNumber, short type) {
        struct flock lock = {};
        lock.l_type = type;
        lock.l_whence = SEEK_SET;
        lock.l_start = off_t(0xEFFFFFFE) - recordNumber;
        lock.l_len = 1;
        return fcntl(fd, F_OFD_SETLK, &lock) == 0;
    };
    const auto header = [&] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read the table");
        return file.read(12);
    };
    const int headerLength = qFromLittleEndian<quint16>(header().constData() + 8);
    const int recordLength = qFromLittleEndian<quint16>(header().constData() + 10);
    const auto setCount = [&](quint32 count) {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite) || !file.seek(4))
            qFatal("cannot write the table");
        char bytes[4];
        qToLittleEndian(count, bytes);
        file.write(bytes, 4);
    };
    const int other = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    QVERIFY(other >= 0);
    QVERIFY(lockSlot(other, 3, F_WRLCK)); // the other program's new record 3

    Table mine;
    openAt(mine, path);
    appendRecord(mine, QStringLiteral("ours"), 4);
    QCOMPARE(qFromLittleEndian<quint32>(header().constData() + 4), 3u); // one more, for ours
    QCOMPARE(readFileRecords(path).records.size(), 3);
    QCOMPARE(mine.recordCount(), 2);      // the slot of the other's record is no record before it is written
    QVERIFY(lockSlot(other, 4, F_WRLCK)); // ours let go of its slot once written
    lockSlot(other, 4, F_UNLCK);

    // The other program raises the count and writes its record into the slot it held.
    QByteArray theirs(recordLength, ' ');
    theirs.replace(1, 6, "theirs");
    setCount(4);
    QCOMPARE(pwrite(other, theirs.constData(), size_t(recordLength), headerLength + 2 * recordLength),
             ssize_t(recordLength));
    lockSlot(other, 3, F_UNLCK);
    mine.refresh();
    QStringList names;
    for (mine.first(); !mine.eof(); mine.next())
        names.append(mine.fieldByName(QStringLiteral("NAME")).asString());
    QCOMPARE(names, (QStringList{"a", "b", "theirs", "ours"}));

    // A program that raised the count for record 5 and died before writing it: nobody holds the
    // slot, so the next append fills it instead of leaving an empty record in the table.
    setCount(5);
    mine.refresh();
    appendRecord(mine, QStringLiteral("next"), 5);
    QCOMPARE(mine.recNo(), 5);
    QCOMPARE(qFromLittleEndian<quint32>(header().constData() + 4), 5u);
    ::close(other);
    mine.close();
    QCOMPARE(readFileRecords(path).records.size(), 5);
}

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 3 && arguments[1] == u"--child")
        return runChild(arguments);
    SharingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sharing.moc"
