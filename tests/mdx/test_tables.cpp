// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_tables.h"

#include "storage/table.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringEncoder>

using namespace kadmor;

namespace mdxtest {

namespace {

QString czechWords(QRandomGenerator& random, int maxLength)
{
    static const QStringList syllables{
        QStringLiteral("ko"), QStringLiteral("ŘE"), QStringLiteral("ži"), QStringLiteral("ťou"),
        QStringLiteral("čk"), QStringLiteral("á"),  QStringLiteral("Ú"),  QStringLiteral("pě"),
        QStringLiteral("l "), QStringLiteral("ň"),  QStringLiteral("Ch"), QStringLiteral("ý"),
        QStringLiteral("šť"), QStringLiteral("ov"), QStringLiteral("Ď"),  QStringLiteral(", ")};
    QString text;
    const int length = 2 + random.bounded(std::max(1, std::min(maxLength, 24) - 2));
    while (text.size() < length)
        text += syllables[random.bounded(syllables.size())];
    return text.left(maxLength).trimmed();
}

// Negative, zero and decimal values, those that fit the field. All of them are numbers that
// TDbf keys exactly: it goes through floating point, which turns 99.99 into 99.98999999999999.
QString decimalNumber(QRandomGenerator& random, const FieldSpec& field)
{
    static const QList<double> values{-123.25, -12.25, -1.5, -0.001, 0, 0.001, 0.05,  1,
                                      1.5,     1.67,   2.25, 3.33,   4, 5,     12.75, 1234.567};
    QStringList fitting{QString()};
    for (const double value : values) {
        const QString text = QString::number(value, 'f', field.decimals);
        if (text.size() <= field.width)
            fitting.append(text);
    }
    return fitting[random.bounded(fitting.size())];
}

QString value(QRandomGenerator& random, const FieldSpec& field, int count)
{
    if (field.name == QLatin1String("LEK"))
        return QString::number(1 + random.bounded(30)).rightJustified(3, QLatin1Char(' '));
    if (field.name == QLatin1String("ZVUK") && field.width == 12) // a phrase's sound number
        return QString::number(11111112 + random.bounded(count + 1));
    if (field.type == FieldType::Character)
        return random.bounded(12) == 0 ? QString() : czechWords(random, field.width);
    if (field.minValue < field.maxValue) // a grade slot
        return random.bounded(3) == 0 ? QString() : QString::number(field.minValue + random.bounded(field.maxValue));
    if (field.decimals == 0)
        return QString::number(random.bounded(29));
    return decimalNumber(random, field);
}

} // namespace

const TableLayout& numbersLayout()
{
    static const TableLayout layout{
        QStringLiteral("cisla.dbf"),
        {{QStringLiteral("CISLO"), FieldType::Numeric, 8, 3}, {QStringLiteral("TEXT"), FieldType::Character, 20}},
        {{QStringLiteral("cislo"), QStringLiteral("CISLO"), KeyOrder::Numeric},
         {QStringLiteral("text"), QStringLiteral("TEXT"), KeyOrder::Plain}},
        QString()};
    return layout;
}

const TableLayout& layoutNamed(const QString& baseName)
{
    for (const TableLayout* layout : {&layouts::words(), &layouts::phrases(), &layouts::grades(), &numbersLayout()}) {
        if (layout->fileName == baseName + QStringLiteral(".dbf"))
            return *layout;
    }
    qFatal("no layout %s", qPrintable(baseName));
}

QString createFilledTable(const QString& folder, const TableLayout& layout, int count, quint32 seed)
{
    const QString path = QDir(folder).filePath(layout.fileName);
    createTable(path, layout);
    Table table(layout);
    table.setDatabaseName(folder);
    table.setTableName(layout.fileName);
    table.setExclusive(true);
    table.open();
    QRandomGenerator random(seed);
    for (int i = 0; i < count; ++i) {
        table.append();
        for (const FieldSpec& field : layout.fields) {
            if (field.type == FieldType::Calculated)
                continue;
            const QString text = value(random, field, count);
            if (text.isEmpty())
                table.fieldByName(field.name).clear();
            else
                table.fieldByName(field.name).setAsString(text);
        }
        table.post();
    }
    for (int record = 7; record <= count; record += 7) {
        table.gotoBookmark(record);
        table.remove();
    }
    table.close();
    return path;
}

QByteArray cp1250(const QString& text)
{
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

QStringList tagArguments(const TableLayout& layout)
{
    QStringList arguments;
    for (const TagSpec& tag : layout.tags)
        arguments.append(tag.name + QLatin1Char('=') + tag.field);
    return arguments;
}

} // namespace mdxtest
