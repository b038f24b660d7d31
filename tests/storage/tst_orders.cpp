// SPDX-License-Identifier: GPL-3.0-or-later
// The orders of the index tags and the searches that follow them.
#include "test_support.h"

#include "storage/table.h"

#include <QLocale>
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

QTEST_GUILESS_MAIN(OrdersTest)
#include "tst_orders.moc"
