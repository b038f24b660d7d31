// SPDX-License-Identifier: GPL-3.0-or-later
// What it costs to count, before a lesson's words are deleted, the records that name each of its
// sounds, when the lesson is the whole word table (all lessons shown): the shared counting (one
// pass, each field read once per record) beside the former one (a field read per record and file).
// Runs alternate; the medians are printed.
//   named_files_bench [WORDS...]   (1000 3000 by default)
#include "bench/word_table.h"
#include "storage/layouts.h"
#include "storage/table.h"
#include "vocabulary/kept_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <QSet>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

using namespace kadmor;
using kept_files::NamedFile;

namespace {

constexpr int kRuns = 5;

// The counting as it was: every file compared with the field of every record.
void formerCount(const QString& dataFolder, QList<NamedFile*> files)
{
    Table table(layouts::words());
    table.setDatabaseName(dataFolder);
    table.setTableName(layouts::words().fileName);
    table.open();
    for (table.first(); !table.eof(); table.next()) {
        for (NamedFile* file : files)
            file->records += table.fieldByName(file->field).asString() == file->name ? 1 : 0;
    }
}

QList<NamedFile> soundsOfEveryWord(const QString& dataFolder)
{
    Table table(layouts::words());
    table.setDatabaseName(dataFolder);
    table.setTableName(layouts::words().fileName);
    table.open();
    QList<NamedFile> files;
    QSet<QString> seen;
    for (table.first(); !table.eof(); table.next()) {
        const QString name = table.fieldByName(QStringLiteral("ZVUK")).asString();
        if (!seen.contains(name)) {
            seen.insert(name);
            files.append({QStringLiteral("ZVUK"), name});
        }
    }
    return files;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (const QString& argument : app.arguments().mid(1))
        sizes.append(argument.toInt());
    if (sizes.isEmpty())
        sizes = {1000, 3000};
    std::printf("%8s %8s %14s %14s\n", "words", "files", "former ms", "shared ms");
    for (const int words : sizes) {
        QTemporaryDir folder;
        bench::generateWordTable(QDir(folder.path()).filePath(layouts::words().fileName), words, 300);
        const QList<NamedFile> files = soundsOfEveryWord(folder.path());
        std::vector<double> former;
        std::vector<double> shared;
        for (int run = 0; run < kRuns; ++run) {
            for (const bool useShared : {run % 2 == 0, run % 2 != 0}) {
                QList<NamedFile> counted = files;
                QList<NamedFile*> pointers;
                for (NamedFile& file : counted)
                    pointers.append(&file);
                QElapsedTimer timer;
                timer.start();
                if (useShared)
                    kept_files::countRecordsNaming(folder.path(), layouts::words(), pointers);
                else
                    formerCount(folder.path(), pointers);
                (useShared ? shared : former).push_back(double(timer.nsecsElapsed()) / 1e6);
                const int total = std::accumulate(counted.begin(), counted.end(), 0,
                                                  [](int sum, const NamedFile& file) { return sum + file.records; });
                if (total != words)
                    qFatal("counted %d records for %d words", total, words);
            }
        }
        std::printf("%8d %8lld %14.1f %14.1f\n", words, static_cast<long long>(files.size()), median(former),
                    median(shared));
    }
    return 0;
}
