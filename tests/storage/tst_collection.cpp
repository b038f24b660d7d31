// SPDX-License-Identifier: GPL-3.0-or-later
// The collection tables beside the word and phrase tables: a record copied into the collection and
// read back comes out as it went in, and the names of its files go through the reader's hands.
#include "test_support.h"

#include "storage/collection_copy.h"
#include "storage/table.h"

#include <QTest>

using namespace kadmor;
using Names = CollectedField::Names;

namespace {

std::unique_ptr<Table> openTable(const QTemporaryDir& dir, const TableLayout& layout,
                                 const QList<QStringList>& rows = {})
{
    test::createTableWith(dir, layout, rows);
    auto table = std::make_unique<Table>(layout);
    table->setDatabaseName(dir.path());
    table->setIndexName(QString());
    table->open();
    return table;
}

QList<QStringList> rowsOf(Table& table)
{
    QList<QStringList> rows;
    for (table.first(); !table.eof(); table.next()) {
        QStringList row;
        for (int i = 0; i < table.fieldCount(); ++i)
            row.append(table.field(i).asString());
        rows.append(row);
    }
    return rows;
}

} // namespace

class CollectionTest : public QObject
{
    Q_OBJECT

  private slots:
    void recordsGoThereAndBack_data();
    void recordsGoThereAndBack();
};

void CollectionTest::recordsGoThereAndBack_data()
{
    QTest::addColumn<bool>("words");
    QTest::addColumn<QList<QStringList>>("records");
    QTest::addColumn<QStringList>("namesAsked");
    QTest::newRow("words") << true
                           << QList<QStringList>{{"  1", "cat", "kočka", "cat.bmp", "cat"},
                                                 {" 12", "dog", "pes", "", "dog"}}
                           << QStringList{"picture cat.bmp", "sound cat", "sound dog"};
    QTest::newRow("phrases") << false << QList<QStringList>{{"  2", "Good morning.", "Dobré ráno.", "11111112"}}
                             << QStringList{"sound 11111112"};
}

void CollectionTest::recordsGoThereAndBack()
{
    QFETCH(bool, words);
    QFETCH(QList<QStringList>, records);
    QFETCH(QStringList, namesAsked);
    const QList<CollectedField>& fields = words ? collection::wordFields() : collection::phraseFields();
    QTemporaryDir mainDir;
    QTemporaryDir collectionDir;
    QTemporaryDir backDir;
    const auto main = openTable(mainDir, words ? layouts::words() : layouts::phrases(), records);
    const auto collected = openTable(collectionDir, words ? layouts::newWords() : layouts::newPhrases());
    for (main->first(); !main->eof(); main->next())
        collect(*main, *collected, fields);
    QCOMPARE(rowsOf(*collected), records); // the collection's fields are in the same order

    const auto back = openTable(backDir, words ? layouts::words() : layouts::phrases());
    QStringList asked;
    readBack(*collected, *back, fields, [&asked](Names names, const QString& name) {
        asked.append((names == Names::Picture ? QStringLiteral("picture ") : QStringLiteral("sound ")) + name);
        return name;
    });
    QCOMPARE(asked, namesAsked);
    QCOMPARE(rowsOf(*back), records);

    // A name the reader refuses is not stored.
    readBack(*collected, *back, fields, [](Names, const QString&) { return QString(); });
    QList<QStringList> withoutFiles = records;
    for (QStringList& record : withoutFiles) {
        for (int i = 0; i < fields.size(); ++i) {
            if (fields[i].names != Names::Text)
                record[i].clear();
        }
    }
    QCOMPARE(rowsOf(*back), records + withoutFiles);
}

QTEST_GUILESS_MAIN(CollectionTest)
#include "tst_collection.moc"
