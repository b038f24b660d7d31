// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_fixture.h"

#include "shell/data_aware/db_grid.h"
#include "shell/data_aware/table_model.h"
#include "scripted_dialogs.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace kadmor;
using kadmor::test::TableFixture;

class TestDbGrid : public QObject
{
    Q_OBJECT

  private slots:
    void selectionFollowsTheCursor();
    void aClickMovesTheCursor();
    void keysMoveTheCursor_data();
    void keysMoveTheCursor();
    void escapeAndEnterAreReported();
    void escapeInAnEditableGridDropsTheEdit();
    void typingIntoACellWritesTheField_data();
    void typingIntoACellWritesTheField();
    void aSuspendedGridStandsStill();
    void aRecordThatCannotBePostedKeepsTheSelection();
    void withoutAHandlerTheErrorIsShownInABox();
    void columnWidthsCountCharacters();
};

namespace {

int selectedRow(const DbGrid& grid)
{
    const QModelIndexList rows = grid.selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void click(DbGrid& grid, int row, int column = 0)
{
    const QRect cell = grid.visualRect(grid.model()->index(row, column));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
}

// Shown on screen (offscreen platform), so that clicks, keys and visual rectangles work.
void show(DbGrid& grid)
{
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
}

// A configuration row whose required value was emptied and is still being edited.
void emptyTheValue(Table& table, int row)
{
    table.moveToRow(row);
    table.edit();
    table.fieldByName(QStringLiteral("HODNOTA")).setAsString(QString());
}

} // namespace

void TestDbGrid::selectionFollowsTheCursor()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(5));
    DbGrid grid;
    grid.setTable(&table);
    QCOMPARE(selectedRow(grid), 0);
    table.moveToRow(3);
    QCOMPARE(selectedRow(grid), 3);
    QCOMPARE(grid.currentIndex().row(), 3);
    table.last();
    QCOMPARE(selectedRow(grid), 4);
    table.remove(); // the last record went: the preceding one is current
    QCOMPARE(selectedRow(grid), 3);
    table.setFilter(QStringLiteral("ANGL='w01'"));
    table.setFiltered(true);
    QCOMPARE(grid.model()->rowCount(), 1);
    QCOMPARE(selectedRow(grid), 0);
}

void TestDbGrid::aClickMovesTheCursor()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(5));
    DbGrid grid;
    grid.setTable(&table);
    show(grid);
    click(grid, 2, 1);
    QCOMPARE(table.currentRow(), 2);
    QCOMPARE(selectedRow(grid), 2);
    click(grid, 4);
    QCOMPARE(table.currentRow(), 4);
    QCOMPARE(table.fieldByName(QStringLiteral("ANGL")).asString(), QStringLiteral("w04"));
}

void TestDbGrid::keysMoveTheCursor_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");
    QTest::newRow("down") << 0 << int(Qt::Key_Down) << int(Qt::NoModifier) << 1;
    QTest::newRow("up") << 3 << int(Qt::Key_Up) << int(Qt::NoModifier) << 2;
    QTest::newRow("up at the start") << 0 << int(Qt::Key_Up) << int(Qt::NoModifier) << 0;
    QTest::newRow("down at the end") << 19 << int(Qt::Key_Down) << int(Qt::NoModifier) << 19;
    QTest::newRow("ctrl+end") << 2 << int(Qt::Key_End) << int(Qt::ControlModifier) << 19;
    QTest::newRow("ctrl+home") << 7 << int(Qt::Key_Home) << int(Qt::ControlModifier) << 0;
}

void TestDbGrid::keysMoveTheCursor()
{
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(20));
    DbGrid grid;
    grid.setTable(&table);
    show(grid);
    table.moveToRow(start);
    QTest::keyClick(&grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(table.currentRow(), expected);
    QCOMPARE(selectedRow(grid), expected);
}

void TestDbGrid::escapeAndEnterAreReported()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    DbGrid grid;
    grid.setTable(&table);
    QSignalSpy escape(&grid, &DbGrid::escapePressed);
    QSignalSpy enter(&grid, &DbGrid::enterPressed);
    QTest::keyClick(&grid, Qt::Key_Escape);
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_Enter);
    QCOMPARE(escape.size(), 1);
    QCOMPARE(enter.size(), 2);
    // A grid that is not typed into leaves a record being edited elsewhere alone.
    table.edit();
    QTest::keyClick(&grid, Qt::Key_Escape);
    QCOMPARE(escape.size(), 2);
    QCOMPARE(table.state(), TableState::Edit);
}

void TestDbGrid::escapeInAnEditableGridDropsTheEdit()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::newWords(), {{"  1", "cat", "kočka", "", "cat"}});
    DbGrid grid;
    grid.setTable(&table);
    grid.setEditable(true);
    QSignalSpy escape(&grid, &DbGrid::escapePressed);
    QVERIFY(grid.model()->setData(grid.model()->index(0, 1), QStringLiteral("dog")));
    QTest::keyClick(&grid, Qt::Key_Escape);
    QCOMPARE(table.state(), TableState::Browse);
    QCOMPARE(table.fieldByName(QStringLiteral("AN")).asString(), QStringLiteral("cat"));
    QCOMPARE(escape.size(), 0);
    QTest::keyClick(&grid, Qt::Key_Escape);
    QCOMPARE(escape.size(), 1);
}

void TestDbGrid::typingIntoACellWritesTheField_data()
{
    QTest::addColumn<bool>("editable");
    QTest::newRow("editable grid") << true;
    QTest::newRow("read-only grid") << false;
}

void TestDbGrid::typingIntoACellWritesTheField()
{
    QFETCH(bool, editable);
    TableFixture fixture;
    Table& table =
        fixture.open(layouts::newWords(), {{"  1", "cat", "kočka", "", "cat"}, {"  1", "dog", "pes", "", ""}});
    DbGrid grid;
    grid.setTable(&table);
    grid.setEditable(editable);
    show(grid);
    click(grid, 1, 2);
    QTest::keyClick(&grid, Qt::Key_V);
    auto* editor = grid.findChild<QLineEdit*>();
    QCOMPARE(editor != nullptr && editor->isVisible(), editable);
    if (editor) {
        QTest::keyClicks(editor, QStringLiteral("lk"));
        QTest::keyClick(editor, Qt::Key_Return); // the editor hands its text over from the event loop
    }
    QTRY_COMPARE(table.state(), editable ? TableState::Edit : TableState::Browse);
    QCOMPARE(table.fieldByName(QStringLiteral("CE")).asString(),
             editable ? QStringLiteral("vlk") : QStringLiteral("pes"));
    click(grid, 0, 2); // leaving the row posts it
    QCOMPARE(table.state(), TableState::Browse);
    QCOMPARE(fixture.reopen()->text(1, 2), editable ? QStringLiteral("vlk") : QStringLiteral("pes"));
}

void TestDbGrid::aSuspendedGridStandsStill()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(6));
    DbGrid grid;
    grid.setTable(&table);
    show(grid);
    table.moveToRow(1);
    table.disableControls();
    table.disableControls();
    table.last();
    QCOMPARE(selectedRow(grid), 1);
    click(grid, 3); // a click must not disturb the procedure walking the table
    QCOMPARE(table.currentRow(), 5);
    QCOMPARE(selectedRow(grid), 1);
    table.enableControls();
    QCOMPARE(selectedRow(grid), 1);
    table.enableControls();
    QCOMPARE(selectedRow(grid), 5);
    click(grid, 3);
    QCOMPARE(table.currentRow(), 3);
}

void TestDbGrid::aRecordThatCannotBePostedKeepsTheSelection()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::config(), test::configRows());
    DbGrid grid;
    grid.setTable(&table);
    QStringList errors;
    grid.setErrorHandler([&errors](const QString& text) { errors.append(text); });
    show(grid);
    emptyTheValue(table, 1);
    click(grid, 0);
    QCOMPARE(errors, QStringList{QStringLiteral("Field 'HODNOTA' must have a value")});
    QCOMPARE(table.currentRow(), 1);
    QCOMPARE(table.state(), TableState::Edit);
    QCOMPARE(selectedRow(grid), 1);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(errors.size(), 2);
    QCOMPARE(selectedRow(grid), 1);
}

void TestDbGrid::withoutAHandlerTheErrorIsShownInABox()
{
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(Answer::Ok);
    TableFixture fixture;
    Table& table = fixture.open(layouts::config(), test::configRows());
    DbGrid grid;
    grid.setTable(&table);
    show(grid);
    emptyTheValue(table, 2);
    click(grid, 0);
    QCOMPARE(dialogs.events(), QList{ScriptedDialogs::Event::message(
                                   BoxType::Error, QStringLiteral("Field 'HODNOTA' must have a value"), Buttons::Ok)});
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(selectedRow(grid), 2);
}

void TestDbGrid::columnWidthsCountCharacters()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::grades(), {});
    DbGrid grid;
    grid.setTable(&table);
    TableModel* model = grid.model();
    const auto width = [&](const QString& field) { return grid.columnWidth(model->columnOfField(field)); };
    const int digit = grid.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int slotA = width(QStringLiteral("A")); // a grade slot is one character wide
    grid.setColumnWidthChars(QStringLiteral("B"), 1);
    QCOMPARE(width(QStringLiteral("B")), slotA);
    grid.setColumnWidthChars(QStringLiteral("PRUM"), 4);
    const int four = width(QStringLiteral("PRUM"));
    grid.setColumnWidthChars(QStringLiteral("prum"), 8);
    QCOMPARE(width(QStringLiteral("PRUM")) - four, 4 * digit);
    QCOMPARE(four - slotA, 3 * digit);
    // Set before the table is bound, a width holds once the columns exist.
    DbGrid early;
    early.setColumnWidthChars(QStringLiteral("JMENO"), 4);
    early.setTable(&table);
    QCOMPARE(early.columnWidth(early.model()->columnOfField(QStringLiteral("JMENO"))), four);
}

QTEST_MAIN(TestDbGrid)
#include "tst_db_grid.moc"
