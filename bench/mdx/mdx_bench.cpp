// SPDX-License-Identifier: GPL-3.0-or-later
// Measures what keeping kadmor.mdx true costs for a word table of 10,000 and 200,000 words:
// a rebuild from the records (as after every change), the check that the index is current
// (as when a table is opened), and the parts of a rebuild.
//   mdx_bench [FOLDER]   (a temporary folder by default)
#include "storage/layouts.h"
#include "storage/mdx/dbf_table.h"
#include "storage/mdx/expected_index.h"
#include "storage/mdx/layout_tags.h"
#include "storage/mdx/production_index.h"
#include "storage/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace kadmor;

namespace {

QByteArray randomWord(QRandomGenerator& random, int width)
{
    static const char* const syllables[] = {"ko",
                                            "\xd8"
                                            "e",
                                            "\x9e"
                                            "i",
                                            "\x9d"
                                            "ou",
                                            "\xe8"
                                            "k",
                                            "\xe1",
                                            "pa",
                                            "p\xec",
                                            "le",
                                            "n\xf2",
                                            "ch",
                                            "\xfd",
                                            "st",
                                            "ov",
                                            "ra",
                                            "mi"};
    QByteArray word;
    const int length = 3 + random.bounded(15);
    while (word.size() < length)
        word += syllables[random.bounded(int(std::size(syllables)))];
    return word.left(width).leftJustified(width, ' ');
}

// Creates the table with the engine, then appends the records' bytes directly: the engine's
// appends would make setting up 200,000 words the slowest part of the benchmark.
QString createWordTable(const QString& folder, int words)
{
    const QString path = QDir(folder).filePath(QStringLiteral("kadmor.dbf"));
    createTable(path, layouts::words());
    const mdx::DbfTable header = mdx::readDbfHeader(path);
    QRandomGenerator random{quint32(words)};
    QByteArray records;
    records.reserve(qsizetype(words) * header.recordLength + 1);
    for (int i = 0; i < words; ++i) {
        records.append(i % 50 == 49 ? '*' : ' ');
        for (const mdx::DbfField& field : header.fields) {
            if (field.name == "LEK")
                records.append(QByteArray::number(1 + random.bounded(500)).rightJustified(field.width, ' '));
            else
                records.append(randomWord(random, field.width));
        }
    }
    QByteArray bytes = header.bytes.left(header.headerLength) + records + char(0x1A);
    qToLittleEndian<quint32>(quint32(words), bytes.data() + 4);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The best of several runs, in milliseconds.
double bestOf(int runs, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

void measure(const QString& folder, int words)
{
    const QString table = createWordTable(folder, words);
    const QList<MdxTagDef> tags = mdxTagsOf(layouts::words());
    const int runs = words > 50'000 ? 3 : 7;

    const double rebuild = bestOf(runs, [&] { writeProductionIndex(table, tags); });
    const double check = bestOf(runs, [&] {
        if (!productionIndexIsCurrent(table, tags))
            qFatal("the index just written is not current");
    });
    const double read = bestOf(runs, [&] { mdx::readDbf(table); });
    const mdx::DbfTable records = mdx::readDbf(table);
    const double sort = bestOf(runs, [&] { mdx::expectedIndex(records, tags, QStringLiteral("kadmor")); });
    const mdx::IndexFile index = mdx::expectedIndex(records, tags, QStringLiteral("kadmor"));
    const double build = bestOf(runs, [&] { mdx::buildIndexFile(index, QDate::currentDate()); });

    std::printf("%7d words  table %6.1f MB  index %6.1f MB | rebuild %8.1f ms  current? %8.1f ms | "
                "read table %6.1f ms  keys+sort %6.1f ms  blocks %6.1f ms\n",
                words, double(QFileInfo(table).size()) / 1e6, double(QFileInfo(findIndexFile(table)).size()) / 1e6,
                rebuild, check, read, sort, build);
    QFile::remove(table);
    QFile::remove(findIndexFile(table));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    std::printf("kadmor.mdx with tags lek, angl, ces; best of several runs\n");
    for (const int words : {10'000, 200'000})
        measure(folder, words);
    return 0;
}
