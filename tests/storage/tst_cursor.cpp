// SPDX-License-Identifier: GPL-3.0-or-later
// Cursor and editing semantics of the table, driven by short scripts of operations.
#include "test_support.h"

#include "base/error.h"
#include "storage/table.h"

#include <QSignalSpy>
#include <QTest>

using namespace kadmor;

namespace {

// Physical order: records 1 to 5.
const QList<QStringList> kWords = {
    {QStringLiteral("  1"), QStringLiteral("dog"), QStringLiteral("pes")},
    {QStringLiteral("  2"), QStringLiteral("cat"), QStringLiteral("kočka")},
    {QStringLiteral("  1"), QStringLiteral("apple"), QStringLiteral("jablko")},
    {QStringLiteral(" 10"), QStringLiteral("bird"), QStringLiteral("pták")},
    {QStringLiteral("  2"), QStringLiteral("egg"), QStringLiteral("vejce")},
};

QString stateName(TableState state)
{
    switch (state) {
    case TableState::Browse:
        return QStringLiteral("browse");
    case TableState::Edit:
        return QStringLiteral("edit");
    case TableState::Insert:
        return QStringLiteral("insert");
    case TableState::CalcFields:
        return QStringLiteral("calc");
    case TableState::Inactive:
        break;
    }
    return QStringLiteral("closed");
}

// "rec=3 eof=0 bof=0 browse view=apple,bird"; the view is read through the grid rows, the
// current word through its field, so both ways of reading are checked.
QString describe(Table& table)
{
    QStringList view;
    for (int row = 0; row < table.recordCount(); ++row)
        view.append(table.text(row, 1));
    return QStringLiteral("rec=%1 eof=%2 bof=%3 %4 at=%5 view=%6")
        .arg(table.recNo())
        .arg(int(table.eof()))
        .arg(int(table.bof()))
        .arg(stateName(table.state()), table.fieldByName(QStringLiteral("angl")).asString(), view.join(u','));
}

void runStep(Table& table, const QString& step)
{
    const QString op = step.section(u':', 0, 0);
    const QString arg = step.section(u':', 1);
    if (op == u"first")
        table.first();
    else if (op == u"next")
        table.next();
    else if (op == u"prior")
        table.prior();
    else if (op == u"last")
        table.last();
    else if (op == u"move")
        table.moveBy(arg.toInt());
    else if (op == u"edit")
        table.edit();
    else if (op == u"append")
        table.append();
    else if (op == u"post")
        table.post();
    else if (op == u"cancel")
        table.cancel();
    else if (op == u"delete")
        table.remove();
    else if (op == u"refresh")
        table.refresh();
    else if (op == u"set")
        table.fieldByName(arg.section(u'=', 0, 0)).setAsString(arg.section(u'=', 1));
    else if (op == u"order")
        table.setIndexName(arg);
    else if (op == u"filter") {
        table.setFilter(arg);
        table.setFiltered(true);
    } else if (op == u"unfilter")
        table.setFiltered(false);
    else if (op == u"range")
        table.setRange(arg.section(u'|', 0, 0), arg.section(u'|', 1));
    else if (op == u"unrange")
        table.cancelRange();
    else if (op == u"find")
        QVERIFY2(table.findKey(arg), qPrintable(arg));
    else if (op == u"nofind")
        QVERIFY2(!table.findKey(arg), qPrintable(arg));
    else if (op == u"near")
        table.findNearest(arg);
    else if (op == u"goto")
        table.gotoBookmark(arg.toInt());
    else if (op == u"row")
        table.moveToRow(arg.toInt());
    else
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
}

} // namespace

class CursorTest : public QObject
{
    Q_OBJECT

  private slots:
    void script_data();
    void script();
    void reopenedTableShowsPostedChanges();
    void afterScrollAlsoWhileControlsAreDisabled();
    void openTellsTheFirstRecordOnce();
    void controlsResumeOnlyAtTheOutermostEnable();
    void bookmarksSurviveOrderChanges();
};

void CursorTest::script_data()
{
    QTest::addColumn<QString>("steps"); // separated by " ; ", an error expected after "!"
    QTest::addColumn<QString>("expected");

    // Moving
    QTest::newRow("opens in file order") << "first"
                                         << "rec=1 eof=0 bof=0 browse at=dog view=dog,cat,apple,bird,egg";
    QTest::newRow("next past the last sets eof") << "last ; next"
                                                 << "rec=5 eof=1 bof=0 browse at=egg view=dog,cat,apple,bird,egg";
    QTest::newRow("prior before the first sets bof") << "first ; prior"
                                                     << "rec=1 eof=0 bof=1 browse at=dog view=dog,cat,apple,bird,egg";
    QTest::newRow("move beyond the end stops at the last")
        << "first ; move:10"
        << "rec=5 eof=1 bof=0 browse at=egg view=dog,cat,apple,bird,egg";
    QTest::newRow("move back") << "last ; move:-3"
                               << "rec=2 eof=0 bof=0 browse at=cat view=dog,cat,apple,bird,egg";
    QTest::newRow("record number is the physical position in any order")
        << "order:angl ; first"
        << "rec=3 eof=0 bof=0 browse at=apple view=apple,bird,cat,dog,egg";
    QTest::newRow("grid row access") << "order:angl ; row:3"
                                     << "rec=1 eof=0 bof=0 browse at=dog view=apple,bird,cat,dog,egg";

    // Deleting
    QTest::newRow("delete moves to the following record")
        << "row:1 ; delete"
        << "rec=3 eof=0 bof=0 browse at=apple view=dog,apple,bird,egg";
    QTest::newRow("delete the last moves to the preceding")
        << "last ; delete"
        << "rec=4 eof=0 bof=0 browse at=bird view=dog,cat,apple,bird";
    QTest::newRow("delete the only record of the view leaves eof") << "filter:LEK=' 10' ; delete"
                                                                   << "rec=0 eof=1 bof=1 browse at= view=";
    QTest::newRow("delete in an order") << "order:angl ; near:bird ; delete"
                                        << "rec=2 eof=0 bof=0 browse at=cat view=apple,cat,dog,egg";
    QTest::newRow("deleting a new record cancels it")
        << "row:2 ; append ; set:ANGL=fig ; delete"
        << "rec=3 eof=0 bof=0 browse at=apple view=dog,cat,apple,bird,egg";
    QTest::newRow("delete discards a pending edit") << "row:0 ; edit ; set:ANGL=wolf ; delete ; first"
                                                    << "rec=2 eof=0 bof=0 browse at=cat view=cat,apple,bird,egg";

    // Appending and posting
    QTest::newRow("unchanged new record is dropped on a move")
        << "append ; first"
        << "rec=1 eof=0 bof=0 browse at=dog view=dog,cat,apple,bird,egg";
    QTest::newRow("unchanged new record is dropped by refresh")
        << "append ; refresh"
        << "rec=1 eof=0 bof=0 browse at=dog view=dog,cat,apple,bird,egg";
    QTest::newRow("a new record has no number yet") << "append ; set:ANGL=fig"
                                                    << "rec=0 eof=0 bof=0 insert at=fig view=dog,cat,apple,bird,egg";
    QTest::newRow("changed new record is posted by a move")
        << "append ; set:ANGL=fig ; first"
        << "rec=1 eof=0 bof=0 browse at=dog view=dog,cat,apple,bird,egg,fig";
    QTest::newRow("append posts the record before")
        << "append ; set:ANGL=fig ; append ; set:ANGL=gnu ; post"
        << "rec=7 eof=0 bof=0 browse at=gnu view=dog,cat,apple,bird,egg,fig,gnu";
    QTest::newRow("an explicit post stores even an unchanged new record")
        << "append ; post"
        << "rec=6 eof=0 bof=0 browse at= view=dog,cat,apple,bird,egg,";
    QTest::newRow("posted record takes its place in the order")
        << "order:angl ; append ; set:ANGL=cow ; post"
        << "rec=6 eof=0 bof=0 browse at=cow view=apple,bird,cat,cow,dog,egg";
    QTest::newRow("cancel of a new record returns to where it started")
        << "row:3 ; append ; set:ANGL=fig ; cancel"
        << "rec=4 eof=0 bof=0 browse at=bird view=dog,cat,apple,bird,egg";

    // Editing
    QTest::newRow("edit is posted by a move") << "row:1 ; edit ; set:ANGL=cow ; first"
                                              << "rec=1 eof=0 bof=0 browse at=dog view=dog,cow,apple,bird,egg";
    QTest::newRow("edit is posted by refresh") << "row:1 ; edit ; set:ANGL=cow ; refresh"
                                               << "rec=2 eof=0 bof=0 browse at=cow view=dog,cow,apple,bird,egg";
    QTest::newRow("edit is posted by an order change")
        << "row:1 ; edit ; set:ANGL=zebra ; order:angl"
        << "rec=2 eof=0 bof=0 browse at=zebra view=apple,bird,dog,egg,zebra";
    QTest::newRow("edit is posted by a range change") << "order:lek ; first ; edit ; set:ANGL=ant ; range:  2|  2"
                                                      << "rec=2 eof=0 bof=0 browse at=cat view=cat,egg";
    QTest::newRow("dropping a range posts also when there is none")
        << "row:1 ; edit ; set:ANGL=cow ; unrange"
        << "rec=2 eof=0 bof=0 browse at=cow view=dog,cow,apple,bird,egg";
    QTest::newRow("cancel drops an edit") << "row:1 ; edit ; set:ANGL=cow ; cancel"
                                          << "rec=2 eof=0 bof=0 browse at=cat view=dog,cat,apple,bird,egg";
    QTest::newRow("grid shows the value being typed") << "row:1 ; edit ; set:ANGL=cow"
                                                      << "rec=2 eof=0 bof=0 edit at=cow view=dog,cow,apple,bird,egg";
    QTest::newRow("an edited record leaving the view") << "filter:LEK='  1' ; first ; edit ; set:LEK=  3 ; post"
                                                       << "rec=3 eof=0 bof=0 browse at=apple view=apple";
    QTest::newRow("setting a field outside editing fails")
        << "first ; !set:ANGL=x"
        << "rec=1 eof=0 bof=0 browse at=dog view=dog,cat,apple,bird,egg";

    // Orders, filter, range, search
    QTest::newRow("filter is exact") << "filter:lek='  1'"
                                     << "rec=1 eof=0 bof=0 browse at=dog view=dog,apple";
    QTest::newRow("filter value shorter than the field") << "filter:lek=' 1'"
                                                         << "rec=0 eof=1 bof=1 browse at= view=";
    QTest::newRow("filter with order") << "filter:lek='  2' ; order:angl"
                                       << "rec=2 eof=0 bof=0 browse at=cat view=cat,egg";
    QTest::newRow("filter off") << "filter:lek='  2' ; unfilter"
                                << "rec=1 eof=0 bof=0 browse at=dog view=dog,cat,apple,bird,egg";
    QTest::newRow("bad filter") << "!filter:lek like 1"
                                << "rec=1 eof=0 bof=0 browse at=dog view=dog,cat,apple,bird,egg";
    QTest::newRow("lessons sort by number") << "order:lek"
                                            << "rec=1 eof=0 bof=0 browse at=dog view=dog,apple,cat,egg,bird";
    QTest::newRow("range is inclusive") << "order:lek ; range:  1|  2"
                                        << "rec=1 eof=0 bof=0 browse at=dog view=dog,apple,cat,egg";
    QTest::newRow("cancel range keeps the record") << "order:lek ; range:  2|  2 ; last ; unrange"
                                                   << "rec=5 eof=0 bof=0 browse at=egg view=dog,apple,cat,egg,bird";
    QTest::newRow("order change drops the range") << "order:lek ; range:  2|  2 ; order:angl"
                                                  << "rec=2 eof=0 bof=0 browse at=cat view=apple,bird,cat,dog,egg";
    QTest::newRow("range needs an order") << "!range:  1|  1"
                                          << "rec=1 eof=0 bof=0 browse at=dog view=dog,cat,apple,bird,egg";
    QTest::newRow("find key") << "order:angl ; find:dog"
                              << "rec=1 eof=0 bof=0 browse at=dog view=apple,bird,cat,dog,egg";
    QTest::newRow("find key needs the whole key") << "order:angl ; first ; nofind:do"
                                                  << "rec=3 eof=0 bof=0 browse at=apple view=apple,bird,cat,dog,egg";
    QTest::newRow("find key within the filter") << "filter:lek='  2' ; order:angl ; nofind:dog"
                                                << "rec=2 eof=0 bof=0 browse at=cat view=cat,egg";
    QTest::newRow("nearest takes a prefix") << "order:angl ; near:ca"
                                            << "rec=2 eof=0 bof=0 browse at=cat view=apple,bird,cat,dog,egg";
    QTest::newRow("nearest between keys") << "order:angl ; near:bz"
                                          << "rec=2 eof=0 bof=0 browse at=cat view=apple,bird,cat,dog,egg";
    QTest::newRow("nearest past the end goes to the last")
        << "order:angl ; near:zoo"
        << "rec=5 eof=0 bof=0 browse at=egg view=apple,bird,cat,dog,egg";
    QTest::newRow("nearest of an empty text goes to the first")
        << "order:angl ; last ; near:"
        << "rec=3 eof=0 bof=0 browse at=apple view=apple,bird,cat,dog,egg";
    QTest::newRow("unknown order") << "!order:nic"
                                   << "rec=1 eof=0 bof=0 browse at=dog view=dog,cat,apple,bird,egg";

    // Empty views
    QTest::newRow("edit in an empty view starts a new record") << "filter:lek='  9' ; edit ; set:ANGL=fig"
                                                               << "rec=0 eof=1 bof=1 insert at=fig view=";
    QTest::newRow("deleting in an empty view fails") << "filter:lek='  9' ; !delete"
                                                     << "rec=0 eof=1 bof=1 browse at= view=";
}

void CursorTest::script()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    test::createTableWith(dir, layouts::words(), kWords);
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    table.setIndexName(QString());
    table.open();
    for (const QString& step : steps.split(QStringLiteral(" ; "))) {
        if (step.startsWith(u'!')) {
            QVERIFY_THROWS_EXCEPTION(Error, runStep(table, step.mid(1)));
        } else {
            runStep(table, step);
            if (QTest::currentTestFailed())
                return;
        }
    }
    QCOMPARE(describe(table), expected);
}

void CursorTest::reopenedTableShowsPostedChanges()
{
    QTemporaryDir dir;
    test::createTableWith(dir, layouts::words(), kWords);
    {
        Table table(layouts::words());
        table.setDatabaseName(dir.path());
        table.open();
        table.findNearest(QStringLiteral("cat"));
        table.edit();
        table.fieldByName(QStringLiteral("CES")).setAsString(QStringLiteral("kocour"));
        table.next(); // posts
        table.append();
        table.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("fig"));
        table.close(); // posts too
    }
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    table.open();
    QVERIFY(table.findKey(QStringLiteral("cat")));
    QCOMPARE(table.fieldByName(QStringLiteral("CES")).asString(), QStringLiteral("kocour"));
    QVERIFY(table.findKey(QStringLiteral("fig")));
    QCOMPARE(table.recNo(), 6);
}

void CursorTest::afterScrollAlsoWhileControlsAreDisabled()
{
    QTemporaryDir dir;
    test::createTableWith(dir, layouts::words(), kWords);
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    table.open();
    QSignalSpy scrolled(&table, &Table::afterScroll);
    QSignalSpy current(&table, &Table::currentChanged);
    table.disableControls();
    table.next();
    table.last();
    QCOMPARE(scrolled.count(), 2);
    QCOMPARE(current.count(), 0);
    table.enableControls();
    QCOMPARE(current.count(), 1);
}

// A table opened in the order of a tag tells who follows its current record on the next turn of
// the event loop, or when the caller narrows the view at once (as the word list does), only then.
void CursorTest::openTellsTheFirstRecordOnce()
{
    QTemporaryDir dir;
    test::createTableWith(dir, layouts::words(), kWords);
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    QList<int> told;
    connect(&table, &Table::afterScroll, &table, [&] { told.append(table.recNo()); });
    table.open();
    QCOMPARE(told.size(), 0);
    QTRY_COMPARE(told.size(), 1);
    table.first();
    QCOMPARE(told.last(), table.recNo());

    table.close();
    told.clear();
    table.open();
    table.setFilter(QStringLiteral("LEK='  2'"));
    table.setFiltered(true);
    QCOMPARE(told.size(), 1);
    QTest::qWait(20);
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.front(), table.recNo());
}

void CursorTest::controlsResumeOnlyAtTheOutermostEnable()
{
    QTemporaryDir dir;
    test::createTableWith(dir, layouts::words(), kWords);
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    table.open();
    QSignalSpy view(&table, &Table::viewChanged);
    table.disableControls();
    table.disableControls();
    table.setIndexName(QStringLiteral("ces"));
    table.enableControls();
    QVERIFY(table.controlsDisabled());
    QCOMPARE(view.count(), 0);
    table.enableControls();
    QVERIFY(!table.controlsDisabled());
    QCOMPARE(view.count(), 1);
    table.setIndexName(QStringLiteral("lek"));
    QCOMPARE(view.count(), 2);
}

void CursorTest::bookmarksSurviveOrderChanges()
{
    QTemporaryDir dir;
    test::createTableWith(dir, layouts::words(), kWords);
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    table.open();
    QVERIFY(table.findKey(QStringLiteral("bird")));
    const Bookmark mark = table.bookmark();
    table.setIndexName(QStringLiteral("lek"));
    table.first();
    table.gotoBookmark(mark);
    QCOMPARE(table.fieldByName(QStringLiteral("ANGL")).asString(), QStringLiteral("bird"));
    table.freeBookmark(mark);
    table.setFilter(QStringLiteral("lek='  1'"));
    table.setFiltered(true);
    QVERIFY_THROWS_EXCEPTION(Error, table.gotoBookmark(mark));
}

QTEST_GUILESS_MAIN(CursorTest)
#include "tst_cursor.moc"
