// SPDX-License-Identifier: GPL-3.0-or-later
// Which records name a sound or picture, and whether it may go, on a fresh installation's tables.
#include "installation.h"
#include "table_rows.h"

#include "base/error.h"
#include "storage/layouts.h"
#include "storage/table.h"
#include "vocabulary/kept_files.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace kadmor::kept_files;

class TestKeptFiles : public QObject
{
    Q_OBJECT
  private slots:
    void recordsNamingAFileAreCountedInEveryTable();
    void mayBeDeleted_data();
    void mayBeDeleted();
    void deletingAMissingFileIsAnError();
};

void TestKeptFiles::recordsNamingAFileAreCountedInEveryTable()
{
    Installation installation;
    namespace layouts = kadmor::layouts;
    kadmor::Table words(layouts::words());
    words.setDatabaseName(installation.dataFolder());
    words.setTableName(layouts::words().fileName);
    words.open();
    words.first();
    const QString word = words.fieldByName(QStringLiteral("ANGL")).asString();
    NamedFile sound{QStringLiteral("ZVUK"), QStringLiteral("shared-sound")};
    NamedFile picture{QStringLiteral("OBR"), QStringLiteral("shared-picture.jpg")};
    for (int copy = 0; copy < 2; ++copy)
        testkit::appendRow(
            words, {{"LEK", "  9"}, {"ANGL", word}, {"CES", word}, {"ZVUK", sound.name}, {"OBR", picture.name}});
    words.close();

    countRecordsNaming(installation.dataFolder(), layouts::words(), {&sound, &picture});
    QCOMPARE(sound.records, 2);
    QCOMPARE(picture.records, 2);
    countRecordsNaming(installation.dataFolder(), layouts::phrases(), {&sound});
    QCOMPARE(sound.records, 2);
    QVERIFY(!kadmor::kept_files::deletable(sound));
}

void TestKeptFiles::mayBeDeleted_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("expected");
    QTest::newRow("named by the deleted word alone") << QStringLiteral("dog") << 1 << true;
    QTest::newRow("named by no record") << QStringLiteral("dog") << 0 << true;
    QTest::newRow("named by another record too") << QStringLiteral("dog") << 2 << false;
    QTest::newRow("no name") << QString() << 1 << false;
    QTest::newRow("outside its folder") << QStringLiteral("../dog") << 1 << false;
}

void TestKeptFiles::mayBeDeleted()
{
    QFETCH(QString, name);
    QFETCH(int, records);
    QFETCH(bool, expected);
    QCOMPARE(kadmor::kept_files::deletable(NamedFile{QStringLiteral("ZVUK"), name, records}), expected);
}

void TestKeptFiles::deletingAMissingFileIsAnError()
{
    const QString path = QDir::tempPath() + QStringLiteral("/kadmor-no-such-sound.wav");
    QFile::remove(path);
    try {
        deleteFile(path);
        QFAIL("a missing file was deleted");
    } catch (const kadmor::Error& error) {
        QCOMPARE(error.text(), QStringLiteral("Soubor \"%1\" neexistuje.").arg(path));
    }
}

QTEST_GUILESS_MAIN(TestKeptFiles)
#include "tst_kept_files.moc"
