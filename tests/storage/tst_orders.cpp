// SPDX-License-Identifier: GPL-3.0-or-later
// The orders of the index tags and the searches that follow them.
#include "test_support.h"

#include "storage/table.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

using namespace kadmor;

namespace {

// One record per value, the value in the field the tag orders on, the others blank.
std::unique_ptr<Table> tableOrderedBy(const QTemporaryDir& dir, const TableLayout& layout, const QString& tag,
                                      const QStringList& values)
{
    QString fieldName;
    for (const TagSpec& declared : layout.tags)
        if (declared.name == tag)
            fieldName = declared.field;
    QList<QStringList> rows;
    for (const QString& value : values) {
        QStringList row;
        for (const FieldSpec& declared : layout.fields)
            if (declared.type != FieldType::Calculated)
                row.append(declared.name == fieldName ? value : QString());
        rows.append(row);
    }
    test::createTableWith(dir, layout, rows);
    auto table = std::make_unique<Table>(layout);
    table->setDatabaseName(dir.path());
    table->open();
    table->setIndexName(tag);
    return table;
}

QStringList column(Table& table, const QString& fieldName)
{
    const int field = table.fieldByName(fieldName).index();
    QStringList values;
    for (int row = 0; row < table.recordCount(); ++row)
        values.append(table.text(row, field));
    return values;
}

const TableLayout& layoutNamed(const QString& name)
{
    static const TableLayout values{QStringLiteral("values.dbf"),
                                    {FieldSpec{QStringLiteral("VAL"), FieldType::Numeric, 8, 2}},
                                    {TagSpec{QStringLiteral("val"), QStringLiteral("VAL"), KeyOrder::Numeric}},
                                    {}};
    if (name == u"values")
        return values;
    return name == u"words" ? layouts::words() : name == u"phrases" ? layouts::phrases() : layouts::grades();
}

const TagSpec& tagOf(const TableLayout& layout, const QString& name)
{
    for (const TagSpec& declared : layout.tags)
        if (declared.name == name)
            return declared;
    qFatal("no tag %s", qPrintable(name));
}

} // namespace

class OrdersTest : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void tagOrder_data();
    void tagOrder();
    void nearest_data();
    void nearest();
    void equalKeysKeepFileOrder();
    void orderFollowsChanges();
    void viewFollowsOwnWrites_data();
    void viewFollowsOwnWrites();
    void countsTheWholeTableAsOnDisk();
};

void OrdersTest::tagOrder_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QStringList>("values"); // in file order
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("ces: Czech alphabet") << "words"
                                         << "ces" << QStringList{"hrad", "chata", "cesta", "čáp",  "Cesta",
                                                                 "ibis", "cizí",  "dům",   "řeka", "ruka",
                                                                 "šála", "sova",  "žába",  "zima", "ch"}
                                         << QStringList{"cesta", "Cesta", "cizí",  "čáp",  "dům",
                                                        "hrad",  "ch",    "chata", "ibis", "ruka",
                                                        "řeka",  "sova",  "šála",  "zima", "žába"};
    QTest::newRow("ces: beginnings longer than a sort prefix")
        << "words"
        << "ces" << QStringList{"prababička z", "prababičky", "prababička", "prababička a", "prababička a"}
        << QStringList{"prababička", "prababička a", "prababička a", "prababička z", "prababičky"};
    QTest::newRow("angl: accents beside their letter")
        << "words"
        << "angl" << QStringList{"zebra", "Ábel", "abel", "apple", "éclair", "eagle", "Zebra", "chair"}
        << QStringList{"abel", "Ábel", "apple", "chair", "eagle", "éclair", "zebra", "Zebra"};
    QTest::newRow("lek: padded numbers") << "words"
                                         << "lek" << QStringList{"100", " 10", "  2", "  1", " 11", "  9"}
                                         << QStringList{"  1", "  2", "  9", " 10", " 11", "100"};
    QTest::newRow("zvuk: text order of sound numbers")
        << "phrases"
        << "zvuk" << QStringList{"11111113", "9", "", "11111112"} << QStringList{"", "11111112", "11111113", "9"};
    QTest::newRow("jmeno: pupils") << "grades"
                                   << "jmeno"
                                   << QStringList{"Novák Petr", "Čermák Jan", "Chalupa Ivo", "Cibulka Eva",
                                                  "Horák Jiří"}
                                   << QStringList{"Cibulka Eva", "Čermák Jan", "Horák Jiří", "Chalupa Ivo",
                                                  "Novák Petr"};
    QTest::newRow("prum: by value, blank first")
        << "grades"
        << "prum" << QStringList{"2.5", "1.67", "", "4", "1", "4.5"} << QStringList{"", "1", "1.67", "2.5", "4", "4.5"};
    QTest::newRow("numbers below zero") << "values"
                                        << "val" << QStringList{"2.5", "-0.25", "", "-100", "0", "-1.5", "1000"}
                                        << QStringList{"", "-100", "-1.5", "-0.25", "0", "2.5", "1000"};
}

void OrdersTest::tagOrder()
{
    QFETCH(QString, layout);
    QFETCH(QString, tag);
    QFETCH(QStringList, values);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const TableLayout& chosen = layoutNamed(layout);
    auto table = tableOrderedBy(dir, chosen, tag, values);
    QCOMPARE(column(*table, tagOf(chosen, tag).field), expected);
}

void OrdersTest::nearest_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("prefix") << "Be"
                            << "Beta";
    QTest::newRow("between") << "Bz"
                             << "Gama";
    QTest::newRow("ch after h") << "Ch"
                                << "Chalupa";
    QTest::newRow("case is secondary") << "beta"
                                       << "Beta";
    QTest::newRow("past the end") << "Zz"
                                  << "Iva";
    QTest::newRow("empty") << ""
                           << "Alfa";
}

void OrdersTest::nearest()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    auto table = tableOrderedBy(dir, layouts::grades(), QStringLiteral("jmeno"),
                                {"Gama", "Beta", "Chalupa", "Alfa", "Horák", "Iva"});
    table->findNearest(key);
    QCOMPARE(table->fieldByName(QStringLiteral("JMENO")).asString(), expected);
}

void OrdersTest::equalKeysKeepFileOrder()
{
    QTemporaryDir dir;
    test::createTableWith(
        dir, layouts::words(),
        {{"  1", "bank", "břeh"}, {"  1", "able", "schopný"}, {"  1", "bank", "banka"}, {"  2", "bank", "lavice"}});
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    table.open();
    QCOMPARE(column(table, QStringLiteral("CES")), (QStringList{"schopný", "břeh", "banka", "lavice"}));
    QVERIFY(table.findKey(QStringLiteral("bank")));
    QCOMPARE(table.recNo(), 1); // the first of equal keys
    table.setIndexName(QStringLiteral("lek"));
    QCOMPARE(column(table, QStringLiteral("CES")), (QStringList{"břeh", "schopný", "banka", "lavice"}));
}

void OrdersTest::orderFollowsChanges()
{
    QTemporaryDir dir;
    auto table = tableOrderedBy(dir, layouts::words(), QStringLiteral("angl"), {"b", "d", "f"});
    table->first();
    table->edit();
    table->fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("e"));
    table->post();
    QCOMPARE(column(*table, QStringLiteral("ANGL")), (QStringList{"d", "e", "f"}));
    table->append();
    table->fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("a"));
    table->post();
    table->findNearest(QStringLiteral("c"));
    QCOMPARE(table->fieldByName(QStringLiteral("ANGL")).asString(), QStringLiteral("d"));
    table->remove();
    QCOMPARE(column(*table, QStringLiteral("ANGL")), (QStringList{"a", "e", "f"}));
    QCOMPARE(table->fieldByName(QStringLiteral("ANGL")).asString(), QStringLiteral("e"));
}

// The view a table keeps in step after each of its own writes must be the one a table opened
// afresh builds: records move in and out of the filter and the range, and to their place.
void OrdersTest::viewFollowsOwnWrites_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("range"); // from, to; empty for none
    QTest::addColumn<bool>("wholeOrderFirst"); // the tag's order of every record built before the filter

    QTest::newRow("angl, whole table") << "angl" << QString() << QStringList() << false;
    QTest::newRow("angl, one lesson") << "angl" << "LEK='  1'" << QStringList() << false;
    QTest::newRow("angl, one lesson, order of all built") << "angl" << "LEK='  1'" << QStringList() << true;
    QTest::newRow("ces, one lesson") << "ces" << "LEK='  2'" << QStringList() << false;
    QTest::newRow("lek, range") << "lek" << QString() << QStringList{"  1", "  2"} << false;
    QTest::newRow("angl, range and lesson") << "angl" << "LEK='  1'" << QStringList{"b", "m"} << false;
    QTest::newRow("file order, one lesson") << QString() << "LEK='  3'" << QStringList() << false;
}

void OrdersTest::viewFollowsOwnWrites()
{
    QFETCH(QString, tag);
    QFETCH(QString, filter);
    QFETCH(QStringList, range);
    QFETCH(bool, wholeOrderFirst);
    const QStringList lessons{"  1", "  2", "  3"};
    const QStringList words{"a", "b", "bank", "č", "d", "ch", "k", "m", "ž", "zebra"};
    QRandomGenerator random(17);
    const auto pick = [&](const QStringList& from) { return from[int(random.bounded(from.size()))]; };
    QList<QStringList> rows;
    for (int i = 0; i < 30; ++i)
        rows.append({pick(lessons), pick(words), pick(words)});
    QTemporaryDir dir;
    test::createTableWith(dir, layouts::words(), rows);
    const auto opened = [&](bool buildWholeOrder) {
        auto table = std::make_unique<Table>(layouts::words());
        table->setDatabaseName(dir.path());
        table->open();
        table->setIndexName(tag);
        if (buildWholeOrder)
            table->recordCount();
        if (!filter.isEmpty()) {
            table->setFilter(filter);
            table->setFiltered(true);
        }
        if (!range.isEmpty())
            table->setRange(range[0], range[1]);
        return table;
    };
    const auto shown = [](Table& table) {
        QStringList seen;
        for (int row = 0; row < table.recordCount(); ++row) {
            table.moveToRow(row);
            seen.append(QString::number(table.recNo()) + u':' + table.text(row, 0) + u'|' + table.text(row, 1) +
                        u'|' + table.text(row, 2));
        }
        return seen;
    };
    auto table = opened(wholeOrderFirst);
    for (int step = 0; step < 150; ++step) {
        const int what = int(random.bounded(3));
        if (what == 0 || table->recordCount() == 0) {
            table->append();
            table->fieldByName(QStringLiteral("LEK")).setAsString(pick(lessons));
            table->fieldByName(QStringLiteral("ANGL")).setAsString(pick(words));
            table->fieldByName(QStringLiteral("CES")).setAsString(pick(words));
            table->post();
        } else if (what == 1) {
            table->moveToRow(int(random.bounded(table->recordCount())));
            table->edit();
            const QString field = pick({"LEK", "ANGL", "CES"});
            table->fieldByName(field).setAsString(field == u"LEK" ? pick(lessons) : pick(words));
            table->post();
        } else {
            table->moveToRow(int(random.bounded(table->recordCount())));
            table->remove();
        }
        const QStringList kept = shown(*table);
        QCOMPARE(kept, shown(*opened(false)));
    }
}

// Deleting a word asks how many records name its sound: the whole table, not the lesson shown,
// as the file holds it, also when another program wrote since.
void OrdersTest::countsTheWholeTableAsOnDisk()
{
    QTemporaryDir dir;
    test::createTableWith(dir, layouts::words(),
                          {{"  1", "dog", "pes", "", "dog"},
                           {"  2", "dog", "pes", "", "dog"},
                           {"  2", "cat", "kočka", "", "cat"},
                           {"  1", "hound", "pes", "", "dog  "}});
    Table table(layouts::words());
    table.setDatabaseName(dir.path());
    table.open();
    table.setFilter(QStringLiteral("LEK='  1'"));
    table.setFiltered(true);
    table.moveToRow(1);
    const int record = table.recNo();
    QCOMPARE(table.countRecordsWith(QStringLiteral("zvuk"), QStringLiteral("dog")), 3);
    QCOMPARE(table.countRecordsWith(QStringLiteral("ZVUK"), QStringLiteral("do")), 0);
    QCOMPARE(table.countRecordsWith(QStringLiteral("ZVUK"), QStringLiteral("cat")), 1);
    {
        Table other(layouts::words());
        other.setDatabaseName(dir.path());
        other.open();
        other.setIndexName(QString());
        other.moveToRow(2);
        other.remove(); // cat
        other.append();
        other.fieldByName(QStringLiteral("ZVUK")).setAsString(QStringLiteral("dog"));
        other.post();
    }
    QCOMPARE(table.countRecordsWith(QStringLiteral("ZVUK"), QStringLiteral("cat")), 0);
    QCOMPARE(table.countRecordsWith(QStringLiteral("ZVUK"), QStringLiteral("dog")), 4);
    QCOMPARE(table.recordCount(), 2); // the view has not moved
    QCOMPARE(table.recNo(), record);
}

QTEST_GUILESS_MAIN(OrdersTest)
#include "tst_orders.moc"
