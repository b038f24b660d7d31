// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/layouts.h"
#include "storage/table.h"
#include "util/sifruj.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include "password_characters.h"

using namespace kadmor;
using kadmor::test::passwordCharacters;

namespace {

// Passwords of every length up to 30, with many spaces so that scrambled bytes end in spaces often.
QStringList samplePasswords()
{
    const QStringList characters = passwordCharacters();
    QRandomGenerator random(30);
    QStringList passwords{QStringLiteral("heslo"), QStringLiteral("Příliš žluťoučký kůň úpěl"),
                          QStringLiteral("  mezery na koncích  "), QString(30, u'ř')};
    for (int round = 0; round < 600; ++round) {
        QString password;
        for (int i = random.bounded(1, 31); i > 0; --i)
            password += random.bounded(4) == 0 ? QStringLiteral(" ") : characters.at(random.bounded(223));
        passwords.append(password);
    }
    return passwords;
}

void openConfig(Table& table, const QString& folder)
{
    table.setDatabaseName(folder);
    table.setTableName(QStringLiteral("konfig.dbf"));
    table.open();
    table.fieldByName(QStringLiteral("HODNOTA")).setRawMode(true);
}

} // namespace

// The scrambled password written raw into HODNOTA of a real configuration table, read back by the
// engine and by an independent dBASE reader.
class PasswordFileTest : public QObject
{
    Q_OBJECT

  private slots:
    void passwordsSurviveTheConfigurationTable();
};

void PasswordFileTest::passwordsSurviveTheConfigurationTable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    createTable(dir.filePath(QStringLiteral("konfig.dbf")), layouts::config());
    const QStringList passwords = samplePasswords();
    QStringList stored;
    {
        Table table(layouts::config());
        openConfig(table, dir.path());
        for (const QString& password : passwords) {
            stored.append(scramblePassword(password));
            table.append();
            table.fieldByName(QStringLiteral("HODNOTA")).setAsString(stored.back());
            table.post();
        }
        table.close();
    }

    Table table(layouts::config());
    openConfig(table, dir.path());
    QCOMPARE(table.recordCount(), passwords.size());
    table.first();
    for (const QString& password : passwords) {
        QCOMPARE(unscramblePassword(table.fieldByName(QStringLiteral("HODNOTA")).asString()), password);
        table.next();
    }
    table.close();

    // The bytes in the file, as another dBASE reader sees them.
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, dbfread\n"
                                 "for r in dbfread.DBF(sys.argv[1], encoding='latin-1'):\n"
                                 "    print(r['HODNOTA'].encode('latin-1').hex())\n"),
                  dir.filePath(QStringLiteral("konfig.dbf"))});
    QVERIFY(reader.waitForFinished(60'000));
    QCOMPARE(reader.exitCode(), 0);
    const QList<QByteArray> lines = reader.readAllStandardOutput().split('\n');
    QCOMPARE(lines.size(), stored.size() + 1);
    for (qsizetype i = 0; i < stored.size(); ++i)
        QCOMPARE(QByteArray::fromHex(lines[i]), stored[i].toLatin1());
}

QTEST_GUILESS_MAIN(PasswordFileTest)
#include "tst_password_file.moc"
