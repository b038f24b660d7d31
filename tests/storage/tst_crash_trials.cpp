// SPDX-License-Identifier: GPL-3.0-or-later
// Crash trials: a program writing a table (append, post, pack, empty) is killed at a random
// moment. Afterwards the table opens, every record is what the writes that reported success
// left, at most the write under way is also done, the index is whole for TDbf, and dbfread
// reads the same records. The test program also plays the writer: "--child MODE PATH".
// KADMOR_CRASH_TRIALS sets the trials per operation.
#include "test_support.h"

#include "../mdx/tdbf_checker.h"
#include "../mdx/test_tables.h"
#include "base/error.h"
#include "storage/file_records.h"
#include "storage/table.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>

using namespace kadmor;

namespace {

constexpr int kRecords = 30;
constexpr int kDefaultTrials = 8;

const TableLayout kTrialLayout{QStringLiteral("trials.dbf"),
                               {FieldSpec{QStringLiteral("NAME"), FieldType::Character, 12},
                                FieldSpec{QStringLiteral("COUNT"), FieldType::Numeric, 8}},
                               {TagSpec{QStringLiteral("name"), QStringLiteral("NAME")},
                                TagSpec{QStringLiteral("count"), QStringLiteral("COUNT"), KeyOrder::Numeric}},
                               {}};

// A record as the trials see it: its name (the number in it is its COUNT) and its flag.
struct Entry
{
    QString name;
    bool deleted = false;
    bool operator==(const Entry&) const = default;
};
using Entries = QList<Entry>;

void report(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void setRecord(Table& table, const QString& prefix, int number)
{
    table.fieldByName(QStringLiteral("NAME")).setAsString(prefix + QString::number(number));
    table.fieldByName(QStringLiteral("COUNT")).setAsInteger(number);
    table.post();
}

// The writers. Each reports every write that returned, then goes on until killed.
int childWrite(const QString& mode, const QString& path)
{
    Table table(kTrialLayout);
    table.setTableName(path);
    table.setExclusive(mode == u"pack" || mode == u"empty");
    table.open();
    for (int n = kRecords;; ++n) {
        if (mode == u"append") {
            table.append();
            setRecord(table, QStringLiteral("a"), n);
            report(QStringLiteral("a%1").arg(n));
        } else if (mode == u"post") {
            table.moveToRow(n % table.recordCount());
            table.edit();
            setRecord(table, QStringLiteral("p"), n);
            report(QStringLiteral("p%1").arg(n));
        } else if (mode == u"pack") {
            // A fast writer deletes every record before it is killed; it refills the table and
            // goes on deleting, so that every kill still finds a deletion or a pack under way.
            if (table.recordCount() == 0) {
                table.append();
                setRecord(table, QStringLiteral("a"), n);
                report(QStringLiteral("a%1").arg(n));
            }
            table.first();
            const QString name = table.fieldByName(QStringLiteral("NAME")).asString();
            table.remove();
            report(QStringLiteral("d ") + name);
            if (table.pack() != Table::PackDone)
                return 1;
            report(QStringLiteral("packed"));
        } else if (mode == u"empty") {
            table.emptyTable();
            report(QStringLiteral("emptied"));
            table.append();
            setRecord(table, QStringLiteral("e"), n);
            report(QStringLiteral("e%1").arg(n));
        } else {
            return 2;
        }
    }
}

// What the table holds after one reported line; the lines are as the writers print them.
void apply(Entries& entries, const QString& line)
{
    if (line == u"packed") {
        entries.removeIf([](const Entry& e) { return e.deleted; });
    } else if (line == u"emptied") {
        entries.clear();
    } else if (line.startsWith(QStringLiteral("d "))) {
        const auto live = std::find_if(entries.begin(), entries.end(), [](const Entry& e) { return !e.deleted; });
        if (live == entries.end())
            qFatal("a deletion was reported while no record was left");
        live->deleted = true;
    } else if (line.startsWith(u'p')) {
        entries[line.mid(1).toInt() % entries.size()].name = line;
    } else {
        entries.append({line}); // a new record "a<n>" or "e<n>"
    }
}

// The line the writer would have printed next, had it not been killed; done is what the table
// holds after the reported lines.
QString nextLine(const QString& mode, const QStringList& reported, const Entries& done)
{
    const QString last = reported.isEmpty() ? QString() : reported.last();
    int next = kRecords;
    for (const QString& line : reported)
        if (line.at(0).isLetter() && line.mid(1).toInt() > 0)
            next = line.mid(1).toInt() + 1;
    if (mode == u"append")
        return QStringLiteral("a%1").arg(next);
    if (mode == u"post")
        return QStringLiteral("p%1").arg(next);
    if (mode == u"pack") {
        if (last.startsWith(QStringLiteral("d ")))
            return QStringLiteral("packed");
        if (std::any_of(done.begin(), done.end(), [](const Entry& e) { return !e.deleted; }))
            return QStringLiteral("d ");
        // An emptied table is refilled with a record numbered by the writer's round, one a deletion.
        return QStringLiteral("a%1").arg(kRecords + reported.filter(QRegularExpression(QStringLiteral("^d "))).size());
    }
    return last == u"emptied" ? QStringLiteral("e%1").arg(next) : QStringLiteral("emptied");
}

Entries entriesOf(const QString& path)
{
    Entries entries;
    for (const FileRecord& record : readFileRecords(path).records) {
        const QString& name = record.values[0];
        if (name.mid(1) != record.values[1])
            qWarning("record %s has COUNT %s", qPrintable(name), qPrintable(record.values[1]));
        entries.append({name.mid(1) == record.values[1] ? name : QStringLiteral("torn ") + name, record.deleted});
    }
    return entries;
}

QString describe(const Entries& entries)
{
    QStringList parts;
    for (const Entry& entry : entries)
        parts.append((entry.deleted ? QStringLiteral("*") : QString()) + entry.name);
    return parts.join(u' ');
}

int trialsPerOperation()
{
    return qEnvironmentVariableIsSet("KADMOR_CRASH_TRIALS") ? qEnvironmentVariableIntValue("KADMOR_CRASH_TRIALS")
                                                            : kDefaultTrials;
}

} // namespace

class CrashTrialsTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void writerKilledAtRandomLeavesASoundTable_data();
    void writerKilledAtRandomLeavesASoundTable();

  private:
    QStringList killWriter(const QString& mode, const QString& path);
    void verifyTrial(const QString& mode, const QString& path, const Entries& before, const QStringList& reported);

    QTemporaryDir m_pristine;
};

void CrashTrialsTest::initTestCase()
{
    QList<QStringList> rows;
    for (int i = 0; i < kRecords; ++i)
        rows.append({QStringLiteral("r%1").arg(i), QString::number(i)});
    test::createTableWith(m_pristine, kTrialLayout, rows);
}

void CrashTrialsTest::writerKilledAtRandomLeavesASoundTable_data()
{
    QTest::addColumn<QString>("mode");
    for (const char* mode : {"append", "post", "pack", "empty"})
        QTest::newRow(mode) << QString::fromLatin1(mode);
}

QStringList CrashTrialsTest::killWriter(const QString& mode, const QString& path)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode, path});
    if (!child.waitForReadyRead(30000))
        qFatal("the %s writer reported nothing", qPrintable(mode));
    QThread::usleep(QRandomGenerator::global()->bounded(40000u));
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished(30000);
    QStringList reported;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
            reported.append(QString::fromLatin1(line));
    return reported;
}

void CrashTrialsTest::verifyTrial(const QString& mode, const QString& path, const Entries& before,
                                  const QStringList& reported)
{
    Table table(kTrialLayout); // opening rebuilds an index the kill left behind
    table.setTableName(path);
    table.open();
    table.close();
    const mdxtest::TdbfResult tdbf =
        mdxtest::runTdbf(QStringList{QStringLiteral("check"), path} + mdxtest::tagArguments(kTrialLayout));
    QVERIFY2(tdbf.exitCode == 0, qPrintable(tdbf.output));

    Entries done = before;
    for (const QString& line : reported)
        apply(done, line);
    Entries alsoNext = done;
    apply(alsoNext, nextLine(mode, reported, done));
    const Entries found = entriesOf(path);
    QVERIFY2(
        found == done || found == alsoNext,
        qPrintable(
            QStringLiteral("found %1\nexpected %2\nor %3").arg(describe(found), describe(done), describe(alsoNext))));

    // dbfread shows the live records and reads on to the end mark, so it may also show a record
    // whose count was never raised.
    QStringList read;
    for (const QJsonValue& record : test::readWithDbfread(path)[QStringLiteral("records")].toArray())
        read.append(record.toArray()[0].toString());
    QStringList names;
    for (const Entry& entry : found)
        if (!entry.deleted)
            names.append(entry.name);
    QVERIFY2(read.mid(0, names.size()) == names && read.size() <= names.size() + 1,
             qPrintable(QStringLiteral("dbfread: %1\nengine: %2").arg(read.join(u' '), names.join(u' '))));
}

void CrashTrialsTest::writerKilledAtRandomLeavesASoundTable()
{
    QFETCH(QString, mode);
    const int trials = trialsPerOperation();
    for (int trial = 0; trial < trials; ++trial) {
        QTemporaryDir dir;
        const QString path = dir.filePath(kTrialLayout.fileName);
        for (const QString& name : {QStringLiteral("trials.dbf"), QStringLiteral("trials.mdx")})
            QVERIFY(QFile::copy(m_pristine.filePath(name), dir.filePath(name)));
        const Entries before = entriesOf(path);
        const QStringList reported = killWriter(mode, path);
        verifyTrial(mode, path, before, reported);
        if (QTest::currentTestFailed()) {
            qWarning("trial %d of %s failed after: %s", trial, qPrintable(mode), qPrintable(reported.join(u' ')));
            return;
        }
    }
    qInfo("%d trials of %s passed", trials, qPrintable(mode));
}

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == u"--child") {
        try {
            return childWrite(arguments[2], arguments[3]);
        } catch (const Error& error) {
            std::fprintf(stderr, "%s\n", qPrintable(error.text()));
            return 1;
        }
    }
    CrashTrialsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crash_trials.moc"
