// SPDX-License-Identifier: GPL-3.0-or-later
#include "records_on_disk.h"
#include "table_fixture.h"
#include "typing.h"

#include "shell/data_aware/db_edit.h"

#include <QDir>
#include <QTest>

using namespace kadmor;
using kadmor::test::TableFixture;

class TestDbEdit : public QObject
{
    Q_OBJECT

  private slots:
    void showsTheFieldOfTheCurrentRecord();
    void typingWritesTheFieldAndLeavingTheRecordPostsIt();
    void typingIntoAnEmptyTableAppends();
    void limitsAndReadOnlyFollowTheField_data();
    void limitsAndReadOnlyFollowTheField();
    void aTypingLimitBelowTheWidthHoldsOnEveryRecord();
    void aGradeSlotTakesOnlyValidGrades();
    void aSuspendedEditStandsStill();
};

namespace {

// CES of every record of kadmor.dbf as an independent dBASE reader sees it.
QStringList czechWordsOnDisk(const QString& folder)
{
    QStringList words;
    const auto records =
        testkit::recordsOnDisk(QDir(folder).filePath(QStringLiteral("kadmor.dbf")), {QStringLiteral("CES")});
    for (const QStringList& record : records)
        words.append(record.join(u'|'));
    return words;
}

} // namespace

void TestDbEdit::showsTheFieldOfTheCurrentRecord()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    DbEdit edit;
    edit.setTable(&table, QStringLiteral("angl"));
    QCOMPARE(edit.text(), QStringLiteral("w00"));
    table.last();
    QCOMPARE(edit.text(), QStringLiteral("w02"));
    // A change made elsewhere (another bound control, a page's handler) shows at once.
    table.edit();
    table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("horse"));
    QCOMPARE(edit.text(), QStringLiteral("horse"));
    table.cancel();
    QCOMPARE(edit.text(), QStringLiteral("w02"));
    table.close();
    QCOMPARE(edit.text(), QString());
    QVERIFY(edit.isReadOnly());
}

void TestDbEdit::typingWritesTheFieldAndLeavingTheRecordPostsIt()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    table.moveToRow(1);
    DbEdit edit;
    edit.setTable(&table, QStringLiteral("CES"));
    edit.setCursorPosition(edit.text().size());
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    testkit::type(&edit, QStringLiteral("žluťoučký kůň"));
    QCOMPARE(table.state(), TableState::Edit);
    QCOMPARE(table.fieldByName(QStringLiteral("CES")).asString(), QStringLiteral("žluťoučký kůň"));
    QCOMPARE(edit.text(), QStringLiteral("žluťoučký kůň"));
    QCOMPARE(czechWordsOnDisk(fixture.folder()), (QStringList{"s00", "s01", "s02"}));

    table.next();
    QCOMPARE(table.state(), TableState::Browse);
    QCOMPARE(edit.text(), QStringLiteral("s02"));
    QCOMPARE(czechWordsOnDisk(fixture.folder()), (QStringList{"s00", "žluťoučký kůň", "s02"}));
}

void TestDbEdit::typingIntoAnEmptyTableAppends()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), {});
    DbEdit edit;
    edit.setTable(&table, QStringLiteral("CES"));
    QVERIFY(!edit.isReadOnly());
    QTest::keyClicks(&edit, QStringLiteral("pes"));
    QCOMPARE(table.state(), TableState::Insert);
    table.post();
    QCOMPARE(czechWordsOnDisk(fixture.folder()), QStringList{"pes"});
    QCOMPARE(edit.text(), QStringLiteral("pes"));
}

void TestDbEdit::limitsAndReadOnlyFollowTheField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("value") << "HODNOTA" << false << 30;
    QTest::newRow("read-only name") << "NAZEV" << true << 15;
    QTest::newRow("read-only remark") << "POZN" << true << 40;
}

void TestDbEdit::limitsAndReadOnlyFollowTheField()
{
    QFETCH(QString, field);
    QFETCH(bool, readOnly);
    QFETCH(int, maxLength);
    TableFixture fixture;
    Table& table = fixture.open(layouts::config(), test::configRows());
    DbEdit edit;
    edit.setTable(&table, field);
    QCOMPARE(edit.isReadOnly(), readOnly);
    QCOMPARE(edit.maxLength(), maxLength);
    const QString before = edit.text();
    QTest::keyClicks(&edit, QString(50, u'x'));
    QCOMPARE(table.state(), readOnly ? TableState::Browse : TableState::Edit);
    QCOMPARE(table.fieldByName(field).asString(),
             readOnly ? before : before + QString(maxLength - before.size(), u'x'));
}

void TestDbEdit::aTypingLimitBelowTheWidthHoldsOnEveryRecord()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    DbEdit edit;
    edit.setTable(&table, QStringLiteral("CES"));
    edit.setTypingLimit(25);
    table.last(); // a reload must not put the field's width back
    edit.clear();
    QTest::keyClicks(&edit, QString(30, u'x'));
    QCOMPARE(table.fieldByName(QStringLiteral("CES")).asString(), QString(25, u'x'));
}

void TestDbEdit::aGradeSlotTakesOnlyValidGrades()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::grades(), {{"1.", "Novák Jan"}});
    QStringList errors;
    DbEdit slot;
    slot.setErrorHandler([&errors](const QString& text) { errors.append(text); });
    slot.setTable(&table, QStringLiteral("A"));
    QCOMPARE(slot.maxLength(), 1);
    QTest::keyClicks(&slot, QStringLiteral("x")); // not a number: not even typed
    QCOMPARE(slot.text(), QString());
    QCOMPARE(table.state(), TableState::Browse);

    QTest::keyClicks(&slot, QStringLiteral("7"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(QStringLiteral("rozsah")), qPrintable(errors[0]));
    QCOMPARE(slot.text(), QString()); // what was refused is not left on the screen

    QTest::keyClicks(&slot, QStringLiteral("3"));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(table.fieldByName(QStringLiteral("A")).asInteger(), 3);
    table.post();
    QCOMPARE(slot.text(), QStringLiteral("3"));

    DbEdit calculated;
    calculated.setTable(&table, QStringLiteral("kon"));
    QVERIFY(calculated.isReadOnly());
}

void TestDbEdit::aSuspendedEditStandsStill()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    DbEdit edit;
    edit.setTable(&table, QStringLiteral("ANGL"));
    table.disableControls();
    table.disableControls();
    table.last();
    table.enableControls();
    QCOMPARE(edit.text(), QStringLiteral("w00"));
    table.enableControls();
    QCOMPARE(edit.text(), QStringLiteral("w02"));
}

QTEST_MAIN(TestDbEdit)
#include "tst_db_edit.moc"
