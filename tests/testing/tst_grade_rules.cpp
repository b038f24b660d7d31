// SPDX-License-Identifier: GPL-3.0-or-later
// The grade book's arithmetic and the grade report's lines, without a window.
#include "testing/grade_report.h"
#include "testing/grades.h"

#include <QTest>

using kadmor::grades::Slots;

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(std::optional<double>)

namespace {

// 28 filled: the given grades first, the rest blank.
Slots slotsOf(std::initializer_list<int> grades)
{
    Slots filled(grades);
    filled.resize(kadmor::grades::slotCount);
    return filled;
}

QStringList gradeTexts(std::initializer_list<const char*> grades)
{
    QStringList texts;
    for (const char* grade : grades)
        texts.append(QString::fromLatin1(grade));
    while (texts.size() < kadmor::grades::slotCount)
        texts.append(QString());
    return texts;
}

} // namespace

class TestGradeRules : public QObject
{
    Q_OBJECT
  private slots:
    void recount_data();
    void recount();
    void finalGrade_data();
    void finalGrade();
    void firstEmptySlot_data();
    void firstEmptySlot();
    void ordinals();

    void headerLines();
    void pupilLine_data();
    void pupilLine();
};

void TestGradeRules::recount_data()
{
    QTest::addColumn<Slots>("filled");
    QTest::addColumn<int>("count");
    QTest::addColumn<std::optional<double>>("average");
    QTest::newRow("1, 2, 2") << slotsOf({1, 2, 2}) << 3 << std::optional<double>(5.0 / 3);
    QTest::newRow("2 and 3") << slotsOf({2, 3}) << 2 << std::optional<double>(2.5);
    QTest::newRow("a gap is not counted") << slotsOf({4, 0, 2}) << 2 << std::optional<double>(3.0);
    QTest::newRow("no grade: no average") << slotsOf({}) << 0 << std::optional<double>();
    Slots full(kadmor::grades::slotCount, 5);
    full[27] = 1;
    QTest::newRow("full book") << full << 28 << std::optional<double>((27 * 5 + 1) / 28.0);
}

void TestGradeRules::recount()
{
    QFETCH(Slots, filled);
    QFETCH(int, count);
    QFETCH(std::optional<double>, average);
    const kadmor::grades::Count counted = kadmor::grades::recount(filled);
    QCOMPARE(counted.count, count);
    QCOMPARE(counted.average.has_value(), average.has_value());
    if (average)
        QCOMPARE(*counted.average, *average);
}

void TestGradeRules::finalGrade_data()
{
    QTest::addColumn<Slots>("filled");
    QTest::addColumn<std::optional<int>>("storedCount");
    QTest::addColumn<std::optional<int>>("expected");
    QTest::newRow("1, 2, 2: 1.67 gives 2") << slotsOf({1, 2, 2}) << std::optional<int>(3) << std::optional<int>(2);
    QTest::newRow("2 and 3: the half goes up") << slotsOf({2, 3}) << std::optional<int>(2) << std::optional<int>(3);
    QTest::newRow("1 and 2: 1.5 gives 2") << slotsOf({1, 2}) << std::optional<int>(2) << std::optional<int>(2);
    QTest::newRow("1, 1, 2: 1.33 gives 1") << slotsOf({1, 1, 2}) << std::optional<int>(3) << std::optional<int>(1);
    QTest::newRow("count 0: none") << slotsOf({}) << std::optional<int>(0) << std::optional<int>();
    QTest::newRow("count blank: none") << slotsOf({3}) << std::optional<int>() << std::optional<int>();
    // The stored count, not the filled: a grade typed without a recount weighs in fully.
    QTest::newRow("stale count") << slotsOf({2, 4}) << std::optional<int>(1) << std::optional<int>(6);
}

void TestGradeRules::finalGrade()
{
    QFETCH(Slots, filled);
    QFETCH(std::optional<int>, storedCount);
    QFETCH(std::optional<int>, expected);
    QCOMPARE(kadmor::grades::finalGrade(filled, storedCount), expected);
}

void TestGradeRules::firstEmptySlot_data()
{
    QTest::addColumn<Slots>("filled");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty book: A") << slotsOf({}) << 0;
    QTest::newRow("A and C hold grades: B") << slotsOf({1, 0, 3}) << 1;
    Slots lastFree(kadmor::grades::slotCount, 2);
    lastFree[27] = 0;
    QTest::newRow("only Á free") << lastFree << 27;
    QTest::newRow("full") << Slots(kadmor::grades::slotCount, 2) << -1;
}

void TestGradeRules::firstEmptySlot()
{
    QFETCH(Slots, filled);
    QFETCH(int, expected);
    QCOMPARE(kadmor::grades::firstEmptySlot(filled), expected);
}

void TestGradeRules::ordinals()
{
    QCOMPARE(kadmor::grades::ordinal(1), QStringLiteral("1."));
    QCOMPARE(kadmor::grades::ordinal(12), QStringLiteral("12."));
    QCOMPARE(kadmor::grades::ordinal(100), QStringLiteral("100."));
}

void TestGradeRules::headerLines()
{
    const QStringList header = kadmor::grade_report::header();
    QCOMPARE(header.size(), 5);
    QCOMPARE(header[0], QString());
    QCOMPARE(header[1], QStringLiteral("ZNÁMKY za rok ...."));
    QCOMPARE(header[2], QString());
    QString columns = QStringLiteral("Poř|        jméno            |");
    for (int slot = 0; slot < 28; ++slot)
        columns += QStringLiteral(" |");
    columns += QStringLiteral("kon|prum |");
    QCOMPARE(header[3], columns);
    QCOMPARE(header[3].size(), 96);
    QCOMPARE(header[4], QString(96, QLatin1Char('-')));
}

void TestGradeRules::pupilLine_data()
{
    QTest::addColumn<QString>("ordinal");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("grades");
    QTest::addColumn<QString>("finalGrade");
    QTest::addColumn<QString>("average");
    QTest::addColumn<QString>("expected");

    const QString blanks25 = QStringLiteral(" |").repeated(25);
    QTest::newRow("worked example: 96 characters")
        << "1."
        << "Novák Jan" << gradeTexts({"1", "2", "3"}) << "2"
        << "2"
        << QStringLiteral(" 1.|Novák Jan") + QString(16, QLatin1Char(' ')) + QStringLiteral("|1|2|3|") + blanks25 +
               QStringLiteral("  2| 2   |");
    QTest::newRow("a name of 25 characters meets the bar")
        << "12."
        << "Abcdefghijklmnopqrstuvwxy" << gradeTexts({}) << ""
        << ""
        << QStringLiteral("12.|Abcdefghijklmnopqrstuvwxy|") + QStringLiteral(" |").repeated(28) +
               QStringLiteral("  |     |");
    QTest::newRow("a long average is not cut")
        << "3."
        << "Beta" << gradeTexts({"1", "2", "2"}) << "2"
        << "1,67"
        << QStringLiteral(" 3.|Beta") + QString(21, QLatin1Char(' ')) + QStringLiteral("|1|2|2|") + blanks25 +
               QStringLiteral("  2| 1,67|");
    QTest::newRow("longer still") << "100"
                                  << "Gama" << gradeTexts({"3"}) << "3"
                                  << "3.125"
                                  << QStringLiteral("100|Gama") + QString(21, QLatin1Char(' ')) +
                                         QStringLiteral("|3|") + QStringLiteral(" |").repeated(27) +
                                         QStringLiteral("  3| 3.125|");
}

void TestGradeRules::pupilLine()
{
    QFETCH(QString, ordinal);
    QFETCH(QString, name);
    QFETCH(QStringList, grades);
    QFETCH(QString, finalGrade);
    QFETCH(QString, average);
    QFETCH(QString, expected);
    const QString line = kadmor::grade_report::pupilLine({ordinal, name, grades, finalGrade, average});
    QCOMPARE(line, expected);
    if (QByteArray(QTest::currentDataTag()).startsWith("worked example"))
        QCOMPARE(line.size(), 96);
}

QTEST_APPLESS_MAIN(TestGradeRules)
#include "tst_grade_rules.moc"
