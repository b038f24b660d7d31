// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the table engine on a large word table, side by side with shapelib merely reading
// the same file. Usage: storage_bench [RECORDS]   (default 200000)
#include "bench/shapelib_read.h"
#include "bench/word_table.h"
#include "storage/table.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>


#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace kadmor;

namespace {

constexpr int kRepeats = 5;
constexpr int kLessons = 300;

double medianMs(const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double shapelibReadMs(const QString& path)
{
    return medianMs([] {}, [&] { bench::shapelibRead(path); });
}

void appendOneRecordInAnotherProcess(const QString& path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--append"), path});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        qFatal("the appending process failed");
}

int appendOne(const QString& path)
{
    Table table;
    table.setTableName(path);
    table.open();
    table.append();
    table.field(1).setAsString(QStringLiteral("zzz%1").arg(table.recordCount()));
    table.post();
    return 0;
}

void report(const char* what, double ms, double shapelib)
{
    std::printf("%-44s %10.3f ms   %7.4f x shapelib\n", what, ms, ms / shapelib);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == u"--append")
        return appendOne(arguments[2]);
    const int count = arguments.size() > 1 ? arguments[1].toInt() : 200000;

    QTemporaryDir dir;
    const QString path = dir.filePath(layouts::words().fileName);
    bench::generateWordTable(path, count, kLessons);
    std::printf("word table: %d records, %lld bytes; median of %d runs\n\n", count, QFile(path).size(), kRepeats);

    const double shapelib = shapelibReadMs(path);
    std::printf("%-44s %10.2f ms\n\n", "shapelib: open and read every field", shapelib);

    std::unique_ptr<Table> table;
    const auto fresh = [&] {
        table = std::make_unique<Table>(layouts::words());
        table->setDatabaseName(dir.path());
        table->setIndexName(QString());
    };
    const double open = medianMs(fresh, [&] { table->open(); });
    report("open (file order)", open, shapelib);
    for (const char* tag : {"lek", "angl", "ces"}) {
        const double order = medianMs(
            [&] {
                fresh();
                table->open();
            },
            [&] { table->setIndexName(tag); });
        report(qPrintable(QStringLiteral("order by \"%1\"").arg(tag)), order, shapelib);
        report(qPrintable(QStringLiteral("open + order by \"%1\"").arg(tag)), open + order, shapelib);
    }

    fresh();
    table->open();
    table->setIndexName(QStringLiteral("angl"));
    const double filter = medianMs([&] { table->setFiltered(false); },
                                   [&] {
                                       table->setFilter(QStringLiteral("lek=' 17'"));
                                       table->setFiltered(true);
                                   });
    report("filter one lesson (ordered by \"angl\")", filter, shapelib);
    std::printf("%-44s %10d records\n", "  lesson size", table->recordCount());
    table->setFiltered(false);

    constexpr int kSearches = 1000;
    QRandomGenerator random(7);
    const double nearest = medianMs([] {},
                                    [&] {
                                        for (int i = 0; i < kSearches; ++i)
                                            table->findNearest(QString(QChar(u'a' + random.bounded(26))) +
                                                               QChar(u'a' + random.bounded(26)));
                                    }) /
                           kSearches;
    report("find nearest (one search)", nearest, shapelib);

    const double unchanged = medianMs([] {},
                                      [&] {
                                          for (int i = 0; i < kSearches; ++i)
                                              table->refresh();
                                      }) /
                             kSearches;
    report("refresh, file unchanged", unchanged, shapelib);

    const double appended = medianMs([&] { appendOneRecordInAnotherProcess(path); }, [&] { table->refresh(); });
    report("refresh after another process appended one", appended, shapelib);
    return 0;
}
