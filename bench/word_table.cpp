// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/word_table.h"

#include "storage/layouts.h"
#include "storage/table.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QtEndian>

namespace kadmor::bench {

namespace {

constexpr int kRecordCountOffset = 4;

QString randomWord(QRandomGenerator& random, const QString& letters, int minLength, int maxLength)
{
    QString word;
    const int length = int(random.bounded(minLength, maxLength + 1));
    for (int i = 0; i < length; ++i)
        word += letters[int(random.bounded(int(letters.size())))];
    return word;
}

} // namespace

void generateWordTable(const QString& path, int count, int lessons)
{
    createTable(path, layouts::words());
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        qFatal("cannot open %s", qPrintable(path));
    QByteArray header = file.read(file.size() - 1); // without the end mark
    QStringEncoder encode("windows-1250");
    QRandomGenerator random(20240131);
    const QString english = QStringLiteral("abcdefghijklmnopqrstuvwxyzeeaaoiué");
    const QString czech = QStringLiteral("aábcčdďeéěfghchiíjklmnňoópqrřsštťuúůvwxyýzž");
    QByteArray records;
    records.reserve(qsizetype(count) * 164 + 1);
    for (int i = 0; i < count; ++i) {
        const QByteArray lesson = QByteArray::number(1 + i % lessons).rightJustified(3, ' ');
        const QByteArray angl = QByteArray(encode.encode(randomWord(random, english, 3, 14))).leftJustified(40, ' ');
        const QByteArray ces = QByteArray(encode.encode(randomWord(random, czech, 3, 16))).leftJustified(40, ' ');
        records += ' ' + lesson + angl + ces + QByteArray(40, ' ') + angl;
    }
    qToLittleEndian<quint32>(quint32(count), header.data() + kRecordCountOffset);
    file.seek(0);
    file.write(header + records + '\x1A');
}

} // namespace kadmor::bench
