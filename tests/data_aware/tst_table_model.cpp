// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_fixture.h"

#include "shell/data_aware/table_model.h"

#include <QAbstractItemModelTester>
#include <QBrush>
#include <QFont>
#include <QSignalSpy>
#include <QTest>

using namespace kadmor;
using kadmor::test::TableFixture;

class TestTableModel : public QObject
{
    Q_OBJECT

  private slots:
    void passesTheModelTesterThroughEveryTableOperation();
    void columnsAreTheChosenFields_data();
    void columnsAreTheChosenFields();
    void numbersAreRightAlignedUnlessOverridden_data();
    void numbersAreRightAlignedUnlessOverridden();
    void columnColoursAndTitleColour();
    void editableColumns_data();
    void editableColumns();
    void setDataWritesTheFieldAndTheMovePostsIt();
    void aRowMovedByItsPostIsFollowed();
    void aRefusedValueReachesTheHandler();
    void anAppendedRecordIsOneMoreRowAtTheEnd();
    void nestedSuspensionFreezesTheModelUntilTheLastEnable();
};

namespace {

QString cell(const TableModel& model, int row, int column)
{
    return model.data(model.index(row, column)).toString();
}

} // namespace

void TestTableModel::passesTheModelTesterThroughEveryTableOperation()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(6));
    TableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(&table);
    table.next();
    table.edit();
    table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("zz"));
    table.post();
    table.append();
    table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("a"));
    table.post();
    table.remove();
    table.setFilter(QStringLiteral("ANGL='w03'"));
    table.setFiltered(true);
    table.setFiltered(false);
    table.setIndexName(QStringLiteral("ces"));
    table.disableControls();
    table.last();
    table.remove();
    table.enableControls();
    table.refresh();
    table.close();
    QCOMPARE(model.rowCount(), 0);
    table.open();
    QCOMPARE(model.rowCount(), table.recordCount());
    model.setTable(nullptr);
    QCOMPARE(model.columnCount(), 0);
}

void TestTableModel::columnsAreTheChosenFields_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("all in table order") << QStringList() << QStringList{"LEK", "ANGL", "CES", "OBR", "ZVUK"};
    QTest::newRow("chosen order, any case") << QStringList{"ces", "Lek"} << QStringList{"CES", "LEK"};
    QTest::newRow("unknown field left out") << QStringList{"ANGL", "NIC"} << QStringList{"ANGL"};
}

void TestTableModel::columnsAreTheChosenFields()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, titles);
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    TableModel model;
    model.setTable(&table, fields);
    QStringList shown;
    for (int column = 0; column < model.columnCount(); ++column)
        shown.append(model.headerData(column, Qt::Horizontal).toString());
    QCOMPARE(shown, titles);
    QCOMPARE(model.rowCount(), 3);
    const int angl = model.columnOfField(QStringLiteral("angl"));
    if (angl >= 0)
        QCOMPARE(cell(model, 2, angl), QStringLiteral("w02"));
}

void TestTableModel::numbersAreRightAlignedUnlessOverridden_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("override");
    QTest::addColumn<int>("expected");
    const int none = 0;
    const int left = int(Qt::AlignLeft | Qt::AlignVCenter);
    const int right = int(Qt::AlignRight | Qt::AlignVCenter);
    QTest::newRow("text") << "JMENO" << none << left;
    QTest::newRow("grade slot") << "A" << none << right;
    QTest::newRow("count") << "CPZ" << none << right;
    QTest::newRow("calculated") << "kon" << none << right;
    QTest::newRow("average shown left") << "PRUM" << left << left;
    QTest::newRow("ordinal shown right") << "POR" << right << right;
}

void TestTableModel::numbersAreRightAlignedUnlessOverridden()
{
    QFETCH(QString, field);
    QFETCH(int, override);
    QFETCH(int, expected);
    TableFixture fixture;
    QStringList pupil{"1.", "Novák Jan", "1", "3"};
    for (int slot = 2; slot < 28; ++slot)
        pupil.append(QString());
    pupil << "2"
          << "2.00";
    Table& table = fixture.open(layouts::grades(), {pupil});
    table.setCalcFieldsHook([](Table& t) { t.fieldByName(QStringLiteral("kon")).setAsInteger(2); });
    TableModel model;
    model.setTable(&table);
    if (override != 0)
        model.setColumnAlignment(field, Qt::Alignment(override));
    const QModelIndex index = model.index(0, model.columnOfField(field));
    QCOMPARE(model.data(index, Qt::TextAlignmentRole).toInt(), expected);
    // Numbers are shown without the padding they have in the file.
    QCOMPARE(cell(model, 0, model.columnOfField(QStringLiteral("A"))), QStringLiteral("1"));
    QCOMPARE(cell(model, 0, model.columnOfField(QStringLiteral("kon"))), QStringLiteral("2"));
}

void TestTableModel::columnColoursAndTitleColour()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::config(), test::configRows());
    TableModel model;
    model.setTable(&table);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy titles(&model, &QAbstractItemModel::headerDataChanged);
    model.setColumnBackground(QStringLiteral("hodnota"), Qt::green);
    model.setColumnTitleForeground(QStringLiteral("HODNOTA"), Qt::yellow);
    QFont bold;
    bold.setBold(true);
    model.setColumnFont(QStringLiteral("NAZEV"), bold);
    QVERIFY(!changed.isEmpty());
    QVERIFY(!titles.isEmpty());
    const int value = model.columnOfField(QStringLiteral("HODNOTA"));
    const int name = model.columnOfField(QStringLiteral("NAZEV"));
    QCOMPARE(model.data(model.index(1, value), Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::green));
    QVERIFY(!model.data(model.index(1, name), Qt::BackgroundRole).isValid());
    QCOMPARE(model.headerData(value, Qt::Horizontal, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::yellow));
    QVERIFY(model.data(model.index(0, name), Qt::FontRole).value<QFont>().bold());
    QVERIFY(!model.data(model.index(0, value), Qt::FontRole).isValid());
}

void TestTableModel::editableColumns_data()
{
    QTest::addColumn<bool>("gridEditable");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("columnOverride"); // -1 none, 0 off, 1 on
    QTest::addColumn<bool>("editable");
    QTest::newRow("read-only grid, value") << false << "HODNOTA" << -1 << false;
    QTest::newRow("editable grid, value") << true << "HODNOTA" << -1 << true;
    QTest::newRow("editable grid, value switched off") << true << "HODNOTA" << 0 << false;
    QTest::newRow("read-only grid, value switched on") << false << "HODNOTA" << 1 << true;
    QTest::newRow("read-only field in editable grid") << true << "NAZEV" << -1 << false;
    QTest::newRow("read-only field switched on") << true << "POZN" << 1 << false;
}

void TestTableModel::editableColumns()
{
    QFETCH(bool, gridEditable);
    QFETCH(QString, field);
    QFETCH(int, columnOverride);
    QFETCH(bool, editable);
    TableFixture fixture;
    Table& table = fixture.open(layouts::config(), test::configRows());
    TableModel model;
    model.setTable(&table);
    model.setEditable(gridEditable);
    if (columnOverride >= 0)
        model.setColumnEditable(field, columnOverride == 1);
    const QModelIndex index = model.index(1, model.columnOfField(field));
    QCOMPARE(bool(model.flags(index) & Qt::ItemIsEditable), editable);
    QCOMPARE(model.setData(index, QStringLiteral("nové")), editable);
    QCOMPARE(table.state(), editable ? TableState::Edit : TableState::Browse);
}

void TestTableModel::setDataWritesTheFieldAndTheMovePostsIt()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(4));
    TableModel model;
    model.setTable(&table);
    model.setEditable(true);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const int ces = model.columnOfField(QStringLiteral("CES"));

    QVERIFY(model.setData(model.index(2, ces), QStringLiteral("kůň")));
    QCOMPARE(table.currentRow(), 2);
    QCOMPARE(table.state(), TableState::Edit);
    QCOMPARE(cell(model, 2, ces), QStringLiteral("kůň")); // shown before it is posted
    QVERIFY(!changed.isEmpty());
    QCOMPARE(fixture.reopen()->text(2, ces), QStringLiteral("s02"));

    table.first(); // leaving the record posts it
    QCOMPARE(table.state(), TableState::Browse);
    QCOMPARE(fixture.reopen()->text(2, ces), QStringLiteral("kůň"));
    QCOMPARE(model.currentRow(), 0);
}

void TestTableModel::aRowMovedByItsPostIsFollowed()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(4));
    TableModel model;
    model.setTable(&table);
    model.setEditable(true);
    QSignalSpy current(&model, &TableModel::currentRowChanged);
    const int angl = model.columnOfField(QStringLiteral("ANGL"));
    QVERIFY(model.setData(model.index(0, angl), QStringLiteral("zz")));
    table.post(); // ordered by ANGL, the word moves to the end
    QCOMPARE(model.currentRow(), 3);
    QCOMPARE(current.last().at(0).toInt(), 3);
    QCOMPARE(cell(model, 3, angl), QStringLiteral("zz"));
    QCOMPARE(cell(model, 0, angl), QStringLiteral("w01"));
}

void TestTableModel::aRefusedValueReachesTheHandler()
{
    TableFixture fixture;
    QStringList pupil{"1.", "Novák Jan"};
    Table& table = fixture.open(layouts::grades(), {pupil});
    TableModel model;
    model.setTable(&table);
    model.setEditable(true);
    QStringList errors;
    model.setErrorHandler([&errors](const QString& text) { errors.append(text); });
    const QModelIndex slot = model.index(0, model.columnOfField(QStringLiteral("A")));
    QVERIFY(!model.setData(slot, QStringLiteral("7")));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(QStringLiteral("rozsah")), qPrintable(errors[0]));
    QCOMPARE(cell(model, 0, slot.column()), QString());
    QVERIFY(model.setData(slot, QStringLiteral("5")));
    QCOMPARE(cell(model, 0, slot.column()), QStringLiteral("5"));
    QCOMPARE(errors.size(), 1);
}

void TestTableModel::anAppendedRecordIsOneMoreRowAtTheEnd()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    table.moveToRow(1);
    TableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTable(&table);
    model.setEditable(true);
    const int angl = model.columnOfField(QStringLiteral("ANGL"));

    table.append();
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.currentRow(), 3);
    QCOMPARE(cell(model, 1, angl), QStringLiteral("w01")); // the row the cursor left keeps its record
    QVERIFY(model.setData(model.index(3, angl), QStringLiteral("new")));
    QCOMPARE(table.state(), TableState::Insert);
    QCOMPARE(cell(model, 3, angl), QStringLiteral("new"));

    table.cancel();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.currentRow(), 1);
}

void TestTableModel::nestedSuspensionFreezesTheModelUntilTheLastEnable()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    TableModel model;
    model.setTable(&table);
    const int angl = model.columnOfField(QStringLiteral("ANGL"));
    for (int row = 0; row < model.rowCount(); ++row)
        QCOMPARE(cell(model, row, angl), QStringLiteral("w%1").arg(row, 2, 10, QLatin1Char('0')));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy current(&model, &TableModel::currentRowChanged);

    table.disableControls();
    table.disableControls();
    table.first();
    table.edit();
    table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("a"));
    table.post();
    table.append();
    table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("b"));
    table.post();
    table.last();
    table.enableControls();
    QCOMPARE(reset.size() + changed.size() + current.size(), 0);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(cell(model, 0, angl), QStringLiteral("w00"));
    QCOMPARE(model.currentRow(), 0);

    table.enableControls();
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(cell(model, 0, angl), QStringLiteral("a"));
    QCOMPARE(cell(model, 1, angl), QStringLiteral("b"));
    QCOMPARE(model.currentRow(), 3);
    QVERIFY(!current.isEmpty());
}

QTEST_MAIN(TestTableModel)
#include "tst_table_model.moc"
