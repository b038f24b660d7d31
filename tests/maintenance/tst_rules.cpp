// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of bulk deletion and of the printed lists, without a window.

#include "maintenance/maintenance_rules.h"
#include "util/confirmation_number.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kadmor::maintenance;
using kadmor::confirmationPrompt;
using kadmor::confirmed;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

} // namespace

class TestMaintenanceRules : public QObject
{
    Q_OBJECT
  private slots:
    void confirmationNumber_data();
    void confirmationNumber();
    void keptSoundsKeepTheirLetterCase_data();
    void keptSoundsKeepTheirLetterCase();
    void emptyingAFolderKeepsItsFoldersAndTheKeptFiles();
    void listLines_data();
    void listLines();
};

void TestMaintenanceRules::confirmationNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("the number") << "7381" << true;
    QTest::newRow("trailing space") << "7381 " << false;
    QTest::newRow("leading space") << " 7381" << false;
    QTest::newRow("another number") << "7380" << false;
    QTest::newRow("cancelled") << "" << false;
    QTest::newRow("the number twice") << "73817381" << false;
}

void TestMaintenanceRules::confirmationNumber()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QCOMPARE(confirmed(typed), accepted);
    QCOMPARE(confirmationPrompt(), QStringLiteral("Pro výmaz zadej číslo: 7381"));
    QCOMPARE(confirmationCaption(), QStringLiteral("Smazání všech dat"));
}

void TestMaintenanceRules::keptSoundsKeepTheirLetterCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("kept");
    for (const char* name : {"mujzvuk.wav", "nosound.wav", "newzvuk.wav", "varovani.wav"})
        QTest::newRow(name) << name << true;
    QTest::newRow("capitals") << "NOSOUND.WAV" << false;
    QTest::newRow("one capital") << "Varovani.wav" << false;
    QTest::newRow("without extension") << "nosound" << false;
    QTest::newRow("a word's sound") << "cat.wav" << false;
}

void TestMaintenanceRules::keptSoundsKeepTheirLetterCase()
{
    QFETCH(QString, name);
    QFETCH(bool, kept);
    QCOMPARE(keptSound(name), kept);
}

void TestMaintenanceRules::emptyingAFolderKeepsItsFoldersAndTheKeptFiles()
{
    QTemporaryDir root;
    QDir dir(root.path());
    for (const char* name : {"nosound.wav", "NOSOUND.WAV", "cat.wav", ".hidden", "mujzvuk.wav", "no extension"})
        writeFile(dir.filePath(name), "x");
    QVERIFY(dir.mkdir("inner"));
    writeFile(dir.filePath("inner/deep.wav"), "x");
    QVERIFY(QFile::link(dir.filePath("cat.wav"), dir.filePath("link.wav")));

    QCOMPARE(emptyFolder(dir.path(), &keptSound), (QStringList{"inner", "mujzvuk.wav", "nosound.wav"}));
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{"inner", "mujzvuk.wav", "nosound.wav"}));
    QVERIFY(QFile::exists(dir.filePath("inner/deep.wav")));

    // Without a rule every file goes; a folder that is missing leaves nothing to do.
    QCOMPARE(emptyFolder(dir.path(), nullptr), QStringList{"inner"});
    QCOMPARE(emptyFolder(dir.filePath("missing"), nullptr), QStringList());
}

void TestMaintenanceRules::listLines_data()
{
    QTest::addColumn<QString>("foreign");
    QTest::addColumn<QString>("czech");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("line");
    QTest::newRow("dog / pes: Czech from column 19") << "dog"
                                                     << "pes" << wordList().width << "dog               pes";
    QTest::newRow("a word filling its column") << "abcdefghijklmnopqr"
                                               << "x" << 18 << "abcdefghijklmnopqrx";
    QTest::newRow("a 40-character phrase is not cut")
        << QString(40, u'a') << "čeština" << phraseList().width << QString(40, u'a') + "čeština";
    QTest::newRow("empty values") << ""
                                  << "" << 18 << QString(18, u' ');
}

void TestMaintenanceRules::listLines()
{
    QFETCH(QString, foreign);
    QFETCH(QString, czech);
    QFETCH(int, width);
    QFETCH(QString, line);
    QCOMPARE(listLine(foreign, czech, width), line);
    QCOMPARE(listHeading("  1"), QStringLiteral("lekce číslo:   1"));
    QCOMPARE(listHeading(""), QStringLiteral("lekce číslo: "));
    QCOMPARE(wordList().width, 18);
    QCOMPARE(phraseList().width, 37);
}

QTEST_GUILESS_MAIN(TestMaintenanceRules)
#include "tst_rules.moc"
