// SPDX-License-Identifier: GPL-3.0-or-later
// Field values and their rules, the calculated field of the grade book, emptying and packing.
#include "test_support.h"

#include "base/error.h"
#include "storage/table.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

using namespace kadmor;

namespace {

constexpr int kFirstGrade = 2; // A..Z, É, Á are the 3rd to the 30th field
constexpr int kGradeSlots = 28;

// The final grade as the grade book computes it: the average over CPZ, halves going up.
void finalGrade(Table& table)
{
    QCOMPARE(table.state(), TableState::CalcFields);
    if (table.fieldByName(QStringLiteral("CPZ")).isNull())
        return;
    int sum = 0;
    for (int slot = 0; slot < kGradeSlots; ++slot)
        sum += table.field(kFirstGrade + slot).asInteger();
    const int count = table.fieldByName(QStringLiteral("CPZ")).asInteger();
    if (count > 0)
        table.fieldByName(QStringLiteral("kon")).setAsInteger(int(double(sum) / count + 0.5));
}

QStringList pupil(const QString& name, const QStringList& grades, const QString& count)
{
    QStringList row{QString(), name};
    for (int slot = 0; slot < kGradeSlots; ++slot)
        row.append(slot < grades.size() ? grades[slot] : QString());
    return row << count << QString();
}

struct OpenTable
{
    QTemporaryDir dir;
    Table table;

    OpenTable(const TableLayout& layout, const QList<QStringList>& rows, bool exclusive = false) : table(layout)
    {
        test::createTableWith(dir, layout, rows);
        table.setDatabaseName(dir.path());
        table.setExclusive(exclusive);
        table.open();
    }
    QString path() const { return table.filePath(); }
};

} // namespace

class FieldsTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void storedValues_data();
    void storedValues();
    void refusedValues_data();
    void refusedValues();
    void requiredFieldCannotBePostedEmpty();
    void readOnlyField();
    void fieldsByNameIgnoreCase();
    void finalGradeIsCalculatedForEveryRecord();
    void emptyTableOpenNeedsExclusiveUse();
    void emptyClosedTable();
    void packRemovesDeletedRecords();
    void packResultCodes();
};

void FieldsTest::storedValues_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");

    QTest::newRow("leading blanks are kept") << "POR"
                                             << "  7"
                                             << "  7";
    QTest::newRow("trailing blanks are not kept") << "JMENO"
                                                  << "Novák  "
                                                  << "Novák";
    QTest::newRow("text longer than the field is cut") << "POR"
                                                       << "100."
                                                       << "100";
    QTest::newRow("grade") << "A"
                           << "5"
                           << "5";
    QTest::newRow("grade cleared") << "B"
                                   << ""
                                   << "";
    QTest::newRow("average with a comma") << "PRUM"
                                          << "2,5"
                                          << "2.5";
    QTest::newRow("average rounded to its decimals") << "PRUM"
                                                     << "1.666666"
                                                     << "1.67";
    QTest::newRow("count") << "CPZ"
                           << "28"
                           << "28";
}

void FieldsTest::storedValues()
{
    QFETCH(QString, field);
    QFETCH(QString, written);
    QFETCH(QString, read);
    OpenTable open(layouts::grades(), {});
    open.table.append();
    open.table.fieldByName(field).setAsString(written);
    open.table.post();
    open.table.close();
    open.table.open();
    QCOMPARE(open.table.fieldByName(field).asString(), read);
}

void FieldsTest::refusedValues_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("grade above 5") << "C"
                                   << "6";
    QTest::newRow("grade below 1") << "C"
                                   << "0";
    QTest::newRow("grade not a number") << "C"
                                        << "x";
    QTest::newRow("count too wide") << "CPZ"
                                    << "100";
    QTest::newRow("character outside the code page") << "JMENO"
                                                     << "Ωmega";
}

void FieldsTest::refusedValues()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    OpenTable open(layouts::grades(), {pupil(QStringLiteral("Alfa"), {"1", "2", "3"}, "3")});
    open.table.edit();
    Field& target = open.table.fieldByName(field);
    const QString before = target.asString();
    QVERIFY_THROWS_EXCEPTION(Error, target.setAsString(value));
    QCOMPARE(target.asString(), before);
    QCOMPARE(open.table.state(), TableState::Edit);
}

void FieldsTest::requiredFieldCannotBePostedEmpty()
{
    OpenTable open(layouts::config(), {{"jazyk", "anglický", ""}});
    open.table.append();
    try {
        open.table.post();
        QFAIL("posted an empty required field");
    } catch (const Error& error) {
        QCOMPARE(error.text(), QStringLiteral("Field 'HODNOTA' must have a value"));
    }
    QCOMPARE(open.table.state(), TableState::Insert);
    open.table.fieldByName(QStringLiteral("hodnota")).setAsString(QStringLiteral("/data"));
    open.table.post();
    QCOMPARE(open.table.recordCount(), 2);
}

void FieldsTest::readOnlyField()
{
    OpenTable open(layouts::config(), {{"jazyk", "anglický", "poznámka"}});
    open.table.edit();
    QVERIFY_THROWS_EXCEPTION(Error, open.table.fieldByName(QStringLiteral("NAZEV")).setAsString(QStringLiteral("x")));
    open.table.fieldByName(QStringLiteral("NAZEV")).setReadOnly(false);
    open.table.fieldByName(QStringLiteral("NAZEV")).setAsString(QStringLiteral("x"));
    QCOMPARE(open.table.fieldByName(QStringLiteral("NAZEV")).asString(), QStringLiteral("x"));
}

void FieldsTest::fieldsByNameIgnoreCase()
{
    OpenTable open(layouts::grades(), {pupil(QStringLiteral("Alfa"), {"1"}, "1")});
    QCOMPARE(open.table.fieldByName(QStringLiteral("é")).index(), kFirstGrade + 26);
    QCOMPARE(open.table.fieldByName(QStringLiteral("Á")).index(), kFirstGrade + 27);
    QCOMPARE(open.table.fieldByName(QStringLiteral("jmeno")).asString(), QStringLiteral("Alfa"));
    QVERIFY(!open.table.findField(QStringLiteral("CES")));
    QVERIFY_THROWS_EXCEPTION(Error, open.table.fieldByName(QStringLiteral("CES")));
}

void FieldsTest::finalGradeIsCalculatedForEveryRecord()
{
    OpenTable open(layouts::grades(),
                   {pupil(QStringLiteral("Alfa"), {"1", "2", "2"}, "3"), pupil(QStringLiteral("Beta"), {"2", "3"}, "2"),
                    pupil(QStringLiteral("Gama"), {}, "0"), pupil(QStringLiteral("Delta"), {"4", "", "5"}, "")});
    open.table.setCalcFieldsHook(finalGrade);
    const int kon = open.table.fieldByName(QStringLiteral("kon")).index();
    QStringList grades;
    for (int row = 0; row < open.table.recordCount(); ++row)
        grades.append(open.table.text(row, kon));
    QCOMPARE(grades, (QStringList{"2", "3", "", ""})); // Alfa, Beta, Delta, Gama
    QCOMPARE(open.table.state(), TableState::Browse);

    open.table.first();
    open.table.edit();
    open.table.fieldByName(QStringLiteral("C")).setAsString(QStringLiteral("5"));
    QCOMPARE(open.table.fieldByName(QStringLiteral("kon")).asString(), QStringLiteral("3")); // (1+2+5)/3
    open.table.cancel();
    QCOMPARE(open.table.fieldByName(QStringLiteral("kon")).asInteger(), 2);
    QVERIFY_THROWS_EXCEPTION(Error, open.table.fieldByName(QStringLiteral("kon")).setAsInteger(1));
}

void FieldsTest::emptyTableOpenNeedsExclusiveUse()
{
    OpenTable shared(layouts::words(), {{"  1", "a", "b"}});
    QVERIFY_THROWS_EXCEPTION(Error, shared.table.emptyTable());
    QCOMPARE(shared.table.recordCount(), 1);

    OpenTable exclusive(layouts::words(), {{"  1", "a", "b"}, {"  2", "c", "d"}}, true);
    exclusive.table.emptyTable();
    QCOMPARE(exclusive.table.recordCount(), 0);
    QVERIFY(exclusive.table.eof());
    QCOMPARE(test::readWithDbfread(exclusive.path())[QStringLiteral("records")].toArray().size(), 0);
}

void FieldsTest::emptyClosedTable()
{
    OpenTable open(layouts::words(), {{"  1", "a", "b"}});
    Table other(layouts::words());
    other.setDatabaseName(open.dir.path());
    QVERIFY_THROWS_EXCEPTION(Error, other.emptyTable()); // still open in `open`
    open.table.close();
    other.emptyTable();
    open.table.open();
    QCOMPARE(open.table.recordCount(), 0);
    QCOMPARE(QFile(open.path()).size(), 194); // header of five fields and the end mark
}

void FieldsTest::packRemovesDeletedRecords()
{
    OpenTable open(layouts::words(), {{"  1", "a", "1"}, {"  1", "b", "2"}, {"  1", "c", "3"}, {"  1", "d", "4"}},
                   true);
    QFile::setPermissions(open.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    open.table.first();
    open.table.remove();
    open.table.last();
    open.table.remove();
    QCOMPARE(open.table.pack(), int(Table::PackDone));
    QCOMPARE(open.table.recordCount(), 2);
    QCOMPARE(open.table.recNo(), 1);
    QCOMPARE(open.table.fieldByName(QStringLiteral("ANGL")).asString(), QStringLiteral("b"));
    const QJsonObject read = test::readWithDbfread(open.path());
    QCOMPARE(read[QStringLiteral("records")].toArray().size(), 2);
    QCOMPARE(read[QStringLiteral("deleted")].toArray().size(), 0);
    QCOMPARE(QFile(open.path()).size(), 193 + 2 * 164 + 1);
    QCOMPARE(QFile::permissions(open.path()) & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther),
             QFile::ReadGroup);
    // nothing left behind but the table and its production index
    QCOMPARE(QDir(open.dir.path()).entryList(QDir::Files),
             (QStringList{QStringLiteral("kadmor.dbf"), QStringLiteral("kadmor.mdx")}));

    // The packed file is the one now in use: changes go on in it.
    open.table.append();
    open.table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("e"));
    open.table.post();
    QCOMPARE(test::readWithDbfread(open.path())[QStringLiteral("records")].toArray().size(), 3);
}

void FieldsTest::packResultCodes()
{
    OpenTable shared(layouts::words(), {{"  1", "a", "b"}});
    QCOMPARE(shared.table.pack(), int(Table::PackNotExclusive));
    shared.table.close();
    QCOMPARE(shared.table.pack(), int(Table::PackNotOpen));
}

QTEST_GUILESS_MAIN(FieldsTest)
#include "tst_fields.moc"
