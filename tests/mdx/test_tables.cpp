// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_tables.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QtEndian>

namespace mdxtest {

namespace {

constexpr int kHeaderSize = 32;
constexpr int kDescriptorSize = 32;

QList<Column> gradeColumns()
{
    QList<Column> columns{{"POR", 'C', 3}, {"JMENO", 'C', 25}};
    for (char slot = 'A'; slot <= 'Z'; ++slot)
        columns.append({QByteArray(1, slot), 'N', 1});
    columns.append({cp1250(QStringLiteral("É")), 'N', 1});
    columns.append({cp1250(QStringLiteral("Á")), 'N', 1});
    columns.append({"CPZ", 'N', 2});
    columns.append({"PRUM", 'F', 5, 2});
    return columns;
}

QByteArray czechWords(QRandomGenerator& random, int maxLength)
{
    static const QStringList syllables{
        QStringLiteral("ko"), QStringLiteral("ŘE"), QStringLiteral("ži"), QStringLiteral("ťou"),
        QStringLiteral("čk"), QStringLiteral("á"),  QStringLiteral("Ú"),  QStringLiteral("pě"),
        QStringLiteral("l "), QStringLiteral("ň"),  QStringLiteral("Ch"), QStringLiteral("ý"),
        QStringLiteral("šť"), QStringLiteral("ov"), QStringLiteral("Ď"),  QStringLiteral(", ")};
    QString text;
    const int length = 2 + random.bounded(std::max(1, maxLength - 2));
    while (text.size() < length)
        text += syllables[random.bounded(syllables.size())];
    return cp1250(text.left(maxLength).trimmed());
}

QByteArray numberText(QRandomGenerator& random, const Column& column)
{
    // Negative, zero, blank and decimal values, all of them numbers that TDbf keys exactly:
    // it goes through floating point, which turns 99.99 into 99.98999999999999.
    static const QList<QByteArray> averages{"-1.50", "0.00",  "",  "2.25", "12.75", "1.67",
                                            "0.05",  "-0.01", "4", "3.33", "1.5",   "5.00"};
    if (column.decimals > 0)
        return averages[random.bounded(averages.size())];
    const int limit = column.width == 1 ? 6 : 29;
    const int value = random.bounded(limit);
    return value == 0 && random.bounded(2) ? QByteArray() : QByteArray::number(value);
}

QByteArray stored(const Column& column, const QByteArray& value)
{
    const QByteArray cut = value.left(column.width);
    return column.type == 'C' ? cut.leftJustified(column.width, ' ') : cut.rightJustified(column.width, ' ');
}

} // namespace

QByteArray cp1250(const QString& text)
{
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

TableSpec wordTable()
{
    return {QStringLiteral("kadmor.dbf"),
            {{"LEK", 'C', 3}, {"ANGL", 'C', 40}, {"CES", 'C', 30}, {"OBR", 'C', 30}, {"ZVUK", 'C', 40}},
            {{"lek", "LEK", 'C'}, {"angl", "ANGL", 'C'}, {"ces", "CES", 'C'}}};
}

TableSpec phraseTable()
{
    return {QStringLiteral("fraze.dbf"),
            {{"LEK", 'C', 3}, {"ANGL", 'C', 50}, {"CES", 'C', 50}, {"ZVUK", 'C', 8}},
            {{"lek", "LEK", 'C'}, {"zvuk", "ZVUK", 'C'}}};
}

TableSpec gradeTable()
{
    return {QStringLiteral("znamky.dbf"), gradeColumns(), {{"jmeno", "JMENO", 'C'}, {"prum", "PRUM", 'N'}}};
}

QList<Row> generatedRows(const TableSpec& spec, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<Row> rows;
    for (int i = 0; i < count; ++i) {
        Row row;
        for (const Column& column : spec.columns) {
            if (column.name == "LEK")
                row.values.append(QByteArray::number(1 + random.bounded(30)).rightJustified(3, ' '));
            else if (column.name == "ZVUK" && column.width == 8)
                row.values.append(QByteArray::number(11111112 + random.bounded(count + 1)));
            else if (column.type == 'C')
                row.values.append(random.bounded(12) == 0 ? QByteArray() : czechWords(random, column.width));
            else
                row.values.append(numberText(random, column));
        }
        row.deleted = i % 7 == 6;
        rows.append(row);
    }
    return rows;
}

QByteArray dbfBytes(const QList<Column>& columns, const QList<Row>& rows)
{
    int recordLength = 1;
    for (const Column& column : columns)
        recordLength += column.width;
    const int headerLength = kHeaderSize + kDescriptorSize * int(columns.size()) + 1;

    QByteArray bytes(headerLength, '\0');
    bytes[0] = 0x03;
    bytes[1] = char(126); // 2026-12-09
    bytes[2] = 12;
    bytes[3] = 9;
    qToLittleEndian<quint32>(quint32(rows.size()), bytes.data() + 4);
    qToLittleEndian<quint16>(quint16(headerLength), bytes.data() + 8);
    qToLittleEndian<quint16>(quint16(recordLength), bytes.data() + 10);
    bytes[29] = char(0xC8);
    for (int i = 0; i < columns.size(); ++i) {
        char* descriptor = bytes.data() + kHeaderSize + i * kDescriptorSize;
        std::memcpy(descriptor, columns[i].name.constData(), std::min<qsizetype>(columns[i].name.size(), 10));
        descriptor[11] = columns[i].type;
        descriptor[16] = char(columns[i].width);
        descriptor[17] = char(columns[i].decimals);
    }
    bytes[headerLength - 1] = 0x0D;
    for (const Row& row : rows) {
        bytes.append(row.deleted ? '*' : ' ');
        for (int i = 0; i < columns.size(); ++i)
            bytes.append(stored(columns[i], row.values.value(i)));
    }
    bytes.append(char(0x1A));
    return bytes;
}

QString writeTable(const QString& folder, const TableSpec& spec, const QList<Row>& rows)
{
    const QString path = QDir(folder).filePath(spec.fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(dbfBytes(spec.columns, rows)) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QStringList tagArguments(const TableSpec& spec)
{
    QStringList arguments;
    for (const kadmor::MdxTagDef& tag : spec.tags)
        arguments.append(QString::fromLatin1(tag.name + '=' + tag.field));
    return arguments;
}

} // namespace mdxtest
