// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_fixture.h"

#include "scripted_dialogs.h"
#include "shell/data_aware/db_navigator.h"
#include "table_rows.h"

#include <QMetaEnum>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace kadmor;
using kadmor::test::TableFixture;
using Action = DbNavigator::Action;
using Event = ScriptedDialogs::Event;

namespace {

QString actionName(Action action)
{
    return QString::fromLatin1(QMetaEnum::fromType<Action>().valueToKey(action));
}

// The names of the enabled buttons, in button order.
QString enabledButtons(const DbNavigator& navigator)
{
    QStringList names;
    for (int i = DbNavigator::First; i <= DbNavigator::Refresh; ++i) {
        if (navigator.button(Action(i))->isEnabled())
            names.append(actionName(Action(i)));
    }
    return names.join(u' ');
}

QStringList hints(const DbNavigator& navigator)
{
    QStringList result;
    for (Action action : navigator.visibleActions())
        result.append(navigator.button(action)->toolTip());
    return result;
}

using Setup = std::function<void(Table&)>;

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestDbNavigator : public QObject
{
    Q_OBJECT

  private slots:
    void enabledButtonsFollowPositionAndState_data();
    void enabledButtonsFollowPositionAndState();
    void withoutAnOpenTableNothingIsEnabled();
    void eachActionMovesOrEditsTheTable_data();
    void eachActionMovesOrEditsTheTable();
    void refreshShowsWhatAnotherProgramWrote();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void aFailedPostReachesTheHandler();
    void shownButtonsAndTheirHints();
    void aSuspendedNavigatorStandsStill();
};

void TestDbNavigator::enabledButtonsFollowPositionAndState_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("enabled");
    const auto row = [](int r) { return Setup([r](Table& t) { t.moveToRow(r); }); };
    QTest::newRow("first row") << 3 << row(0) << "Next Last Insert Delete Edit Refresh";
    QTest::newRow("middle row") << 3 << row(1) << "First Prior Next Last Insert Delete Edit Refresh";
    QTest::newRow("last row") << 3 << row(2) << "First Prior Insert Delete Edit Refresh";
    QTest::newRow("only row") << 1 << row(0) << "Insert Delete Edit Refresh";
    QTest::newRow("empty table") << 0 << row(0) << "Insert Refresh";
    QTest::newRow("editing in the middle") << 3 << Setup([](Table& t) { t.moveToRow(1), t.edit(); })
                                           << "First Prior Next Last Insert Delete Post Cancel Refresh";
    QTest::newRow("appending after the last")
        << 3 << Setup([](Table& t) { t.append(); }) << "First Prior Insert Delete Post Cancel Refresh";
    QTest::newRow("appending to an empty table")
        << 0 << Setup([](Table& t) { t.append(); }) << "Insert Delete Post Cancel Refresh";
}

void TestDbNavigator::enabledButtonsFollowPositionAndState()
{
    QFETCH(int, records);
    QFETCH(Setup, setup);
    QFETCH(QString, enabled);
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(records));
    DbNavigator navigator;
    navigator.setTable(&table);
    setup(table);
    QCOMPARE(enabledButtons(navigator), enabled);
}

void TestDbNavigator::withoutAnOpenTableNothingIsEnabled()
{
    DbNavigator navigator;
    QCOMPARE(enabledButtons(navigator), QString());
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(2));
    navigator.setTable(&table);
    QVERIFY(!enabledButtons(navigator).isEmpty());
    table.close();
    QCOMPARE(enabledButtons(navigator), QString());
}

void TestDbNavigator::eachActionMovesOrEditsTheTable_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("row");
    QTest::addColumn<TableState>("state");
    QTest::addColumn<QString>("stored"); // CES of the record on row 2 in the file afterwards
    const Setup onRow2 = [](Table& t) { t.moveToRow(2); };
    const Setup changeRow2 = [](Table& t) {
        t.moveToRow(2);
        t.edit();
        t.fieldByName(QStringLiteral("CES")).setAsString(QStringLiteral("změna"));
    };
    QTest::newRow("first") << onRow2 << int(DbNavigator::First) << 0 << TableState::Browse << "s02";
    QTest::newRow("prior") << onRow2 << int(DbNavigator::Prior) << 1 << TableState::Browse << "s02";
    QTest::newRow("next") << onRow2 << int(DbNavigator::Next) << 3 << TableState::Browse << "s02";
    QTest::newRow("last") << onRow2 << int(DbNavigator::Last) << 4 << TableState::Browse << "s02";
    QTest::newRow("insert") << onRow2 << int(DbNavigator::Insert) << 2 << TableState::Insert << "s02";
    QTest::newRow("edit") << onRow2 << int(DbNavigator::Edit) << 2 << TableState::Edit << "s02";
    QTest::newRow("post") << changeRow2 << int(DbNavigator::Post) << 2 << TableState::Browse << "změna";
    QTest::newRow("cancel") << changeRow2 << int(DbNavigator::Cancel) << 2 << TableState::Browse << "s02";
    QTest::newRow("moving posts") << changeRow2 << int(DbNavigator::Next) << 3 << TableState::Browse << "změna";
}

void TestDbNavigator::eachActionMovesOrEditsTheTable()
{
    QFETCH(Setup, setup);
    QFETCH(int, action);
    QFETCH(int, row);
    QFETCH(TableState, state);
    QFETCH(QString, stored);
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(5));
    DbNavigator navigator;
    navigator.setTable(&table);
    setup(table);
    QVERIFY(navigator.button(Action(action))->isEnabled());
    navigator.button(Action(action))->click();
    QCOMPARE(table.currentRow(), row);
    QCOMPARE(table.state(), state);
    const int ces = table.fieldByName(QStringLiteral("CES")).index();
    QCOMPARE(fixture.reopen()->text(2, ces), stored);
}

void TestDbNavigator::refreshShowsWhatAnotherProgramWrote()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(2));
    DbNavigator navigator;
    navigator.setTable(&table);
    QCOMPARE(enabledButtons(navigator), QStringLiteral("Next Last Insert Delete Edit Refresh"));
    {
        const std::unique_ptr<Table> other = fixture.reopen();
        testkit::appendRow(*other, testkit::RowValues{{QStringLiteral("ANGL"), QStringLiteral("zz")}});
    }
    navigator.button(DbNavigator::Refresh)->click();
    QCOMPARE(table.recordCount(), 3);
}

void TestDbNavigator::deleteAsksFirst_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("yes") << Answer::Yes << 2;
    QTest::newRow("no") << Answer::No << 3;
}

void TestDbNavigator::deleteAsksFirst()
{
    QFETCH(Answer, answer);
    QFETCH(int, left);
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(answer);
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    DbNavigator navigator;
    navigator.setTable(&table);
    table.moveToRow(1);
    navigator.button(DbNavigator::Delete)->click();
    const QList<Event> expected{
        Event::beep(), Event::message(BoxType::Confirmation, QStringLiteral("Smazat záznam?"), Buttons::YesNo)};
    QCOMPARE(dialogs.events(), expected);
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
    QCOMPARE(table.recordCount(), left);
    QCOMPARE(fixture.reopen()->recordCount(), left);
    QCOMPARE(table.currentRow(), 1); // the following record takes the deleted one's place
}

void TestDbNavigator::aFailedPostReachesTheHandler()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::config(), test::configRows());
    DbNavigator navigator;
    navigator.setTable(&table);
    QStringList errors;
    navigator.setErrorHandler([&errors](const QString& text) { errors.append(text); });
    navigator.button(DbNavigator::Edit)->click();
    table.fieldByName(QStringLiteral("HODNOTA")).setAsString(QString());
    navigator.button(DbNavigator::Post)->click();
    QCOMPARE(errors, QStringList{QStringLiteral("Field 'HODNOTA' must have a value")});
    QCOMPARE(table.state(), TableState::Edit);
    QVERIFY(navigator.button(DbNavigator::Post)->isEnabled());
    navigator.button(DbNavigator::Next)->click(); // moving posts too, and fails the same way
    QCOMPARE(errors.size(), 2);
    QCOMPARE(table.currentRow(), 0);
    navigator.button(DbNavigator::Cancel)->click();
    QCOMPARE(table.state(), TableState::Browse);
    QCOMPARE(table.fieldByName(QStringLiteral("HODNOTA")).asString(), QStringLiteral("anglick"));
}

void TestDbNavigator::shownButtonsAndTheirHints()
{
    DbNavigator navigator;
    QCOMPARE(navigator.visibleActions().size(), 10);
    QCOMPARE(hints(navigator).first(), QStringLiteral("First record"));
    QCOMPARE(hints(navigator).last(), QStringLiteral("Refresh data"));

    // The pupil's grades page: four buttons with own hints, insert and delete with the standard ones.
    const QList<Action> six{DbNavigator::First, DbNavigator::Prior,  DbNavigator::Next,
                            DbNavigator::Last,  DbNavigator::Insert, DbNavigator::Delete};
    navigator.setActions(six);
    navigator.setHints({QStringLiteral("první"), QStringLiteral("předcházející"), QStringLiteral("další"),
                        QStringLiteral("poslední")});
    QCOMPARE(navigator.visibleActions(), six);
    QCOMPARE(hints(navigator),
             (QStringList{"první", "předcházející", "další", "poslední", "Insert record", "Delete record"}));
    QVERIFY(navigator.button(DbNavigator::Post)->isHidden());
}

void TestDbNavigator::aSuspendedNavigatorStandsStill()
{
    TableFixture fixture;
    Table& table = fixture.open(layouts::words(), test::words(3));
    DbNavigator navigator;
    navigator.setTable(&table);
    table.disableControls();
    table.last();
    QVERIFY(navigator.button(DbNavigator::Next)->isEnabled());
    table.enableControls();
    QVERIFY(!navigator.button(DbNavigator::Next)->isEnabled());
}

QTEST_MAIN(TestDbNavigator)
#include "tst_db_navigator.moc"
