// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of a lesson package without a window: which files it needs, their size on 512-byte
// blocks, the names it may use, the sound names of incoming phrases and the folder field.
#include "exchange/package_rules.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace kadmor::package;
using Folder = File::Folder;

Q_DECLARE_METATYPE(kadmor::package::Record)

namespace {

void writeBytes(const QString& path, qint64 size)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(QByteArray(size, 'x')), size);
}

QStringList describe(const QList<File>& files)
{
    QStringList lines;
    for (const File& file : files)
        lines << QStringLiteral("%1 %2%3").arg(int(file.folder)).arg(file.name, file.allowed ? "" : " refused");
    return lines;
}

} // namespace

class TestPackageRules : public QObject
{
    Q_OBJECT
  private slots:
    void neededFiles_data();
    void neededFiles();
    void blocks_data();
    void blocks();
    void sizeOfTheExample();
    void allowedNames_data();
    void allowedNames();
    void freePhraseSound_data();
    void freePhraseSound();
    void startFolder();
    void trailingSlash();
    void installationFolders();
};

void TestPackageRules::neededFiles_data()
{
    QTest::addColumn<QList<Record>>("words");
    QTest::addColumn<QList<Record>>("phrases");
    QTest::addColumn<QStringList>("files"); // folder (0 data, 1 pictures, 2 sounds) and name
    const QStringList tables = {"0 newwords.dbf", "0 newfraze.dbf"};
    QTest::newRow("an empty collection") << QList<Record>{} << QList<Record>{} << tables;
    QTest::newRow("a word without files travels without them") << QList<Record>{{"", ""}} << QList<Record>{} << tables;
    QTest::newRow("words' pictures and sounds, then phrases' sounds")
        << QList<Record>{{"cat.bmp", "cat"}, {"", "dog"}} << QList<Record>{{"", "11111112"}, {"", ""}}
        << tables + QStringList{"1 cat.bmp", "2 cat.wav", "2 dog.wav", "2 11111112.wav"};
    QTest::newRow("a file named twice is needed once")
        << QList<Record>{{"cat.bmp", "cat"}, {"cat.bmp", "cat"}} << QList<Record>{{"", "cat"}}
        << tables + QStringList{"1 cat.bmp", "2 cat.wav"};
    QTest::newRow("names reaching outside their folder are refused")
        << QList<Record>{{"../../etc/passwd", "..\\kadmor"}, {"..", "."}} << QList<Record>{{"", "a/b"}}
        << tables + QStringList{"1 ../../etc/passwd refused", "2 ..\\kadmor.wav refused", "1 .. refused",
                                "2 ..wav refused", "2 a/b.wav refused"};
}

void TestPackageRules::neededFiles()
{
    QFETCH(QList<Record>, words);
    QFETCH(QList<Record>, phrases);
    QFETCH(QStringList, files);
    QCOMPARE(describe(kadmor::package::neededFiles(words, phrases)), files);
}

void TestPackageRules::blocks_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("blocks");
    QTest::newRow("empty") << qint64(0) << qint64(0);
    QTest::newRow("one byte") << qint64(1) << qint64(512);
    QTest::newRow("a block") << qint64(512) << qint64(512);
    QTest::newRow("a byte more") << qint64(513) << qint64(1024);
    QTest::newRow("two blocks") << qint64(1024) << qint64(1024);
}

void TestPackageRules::blocks()
{
    QFETCH(qint64, size);
    QFETCH(qint64, blocks);
    QCOMPARE(kadmor::package::blocks(size), blocks);
}

// One word whose sound has 1 byte and no picture, with tables of 1100 and 600 bytes:
// 1536 + 1024 + 512. A missing file and a refused name count nothing.
void TestPackageRules::sizeOfTheExample()
{
    QTemporaryDir root;
    const Folders folders{root.filePath("data/"), root.filePath("pictures/"), root.filePath("sounds/")};
    for (const QString& folder : {folders.data, folders.pictures, folders.sounds})
        QVERIFY(QDir().mkpath(folder));
    writeBytes(folders.data + "newwords.dbf", 1100);
    writeBytes(folders.data + "newfraze.dbf", 600);
    writeBytes(folders.sounds + "cat.wav", 1);
    const QList<File> files = kadmor::package::neededFiles({{"", "cat"}}, {});
    QCOMPARE(estimatedSize(files, folders), qint64(3072));

    writeBytes(root.filePath("outside.wav"), 5000);
    QCOMPARE(estimatedSize(kadmor::package::neededFiles({{"", "cat"}, {"missing.bmp", "../outside"}}, {}), folders),
             qint64(3072));
}

void TestPackageRules::allowedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("a word") << "cat" << true;
    QTest::newRow("a picture") << "cat.bmp" << true;
    QTest::newRow("a phrase number") << "11111112" << true;
    QTest::newRow("dots inside a name") << "a..b" << true;
    QTest::newRow("up") << ".." << false;
    QTest::newRow("here") << "." << false;
    QTest::newRow("up and over") << "../x" << false;
    QTest::newRow("a Windows path") << "c:\\windows\\x" << false;
    QTest::newRow("an absolute path") << "/etc/passwd" << false;
}

void TestPackageRules::allowedNames()
{
    QFETCH(QString, name);
    QFETCH(bool, allowed);
    QCOMPARE(allowedName(name), allowed);
}

void TestPackageRules::freePhraseSound_data()
{
    QTest::addColumn<QStringList>("local");
    QTest::addColumn<QStringList>("alsoTaken");
    QTest::addColumn<QString>("free");
    QTest::newRow("no phrases here") << QStringList{} << QStringList{} << "11111112";
    QTest::newRow("above the highest number")
        << QStringList{"11111113", "11111120", "11111112"} << QStringList{} << "11111121";
    QTest::newRow("names that are no numbers are passed over")
        << QStringList{"hello", "11111114", "99999999999"} << QStringList{} << "11111115";
    QTest::newRow("taken names are skipped")
        << QStringList{"11111114"} << QStringList{"11111115", "11111116"} << "11111117";
}

void TestPackageRules::freePhraseSound()
{
    QFETCH(QStringList, local);
    QFETCH(QStringList, alsoTaken);
    QFETCH(QString, free);
    const QSet<QString> taken(alsoTaken.begin(), alsoTaken.end());
    const QSet<QString> localSet(local.begin(), local.end());
    QCOMPARE(kadmor::package::freePhraseSound(
                 local, [&](const QString& name) { return taken.contains(name) || localSet.contains(name); }),
             free);
}

// The first writable disk under /media: the user's own mount folder first, then the shared one.
void TestPackageRules::startFolder()
{
    QTemporaryDir root;
    const QString media = root.filePath("media");
    const QString home = root.filePath("home/ucitel");
    QVERIFY(QDir().mkpath(home));
    QCOMPARE(kadmor::package::startFolder(media, "ucitel", home), home + "/kadmor/");

    QVERIFY(QDir().mkpath(media + "/cdrom0"));
    QVERIFY(QDir().mkpath(media + "/STARY"));
    QCOMPARE(kadmor::package::startFolder(media, "ucitel", home), media + "/STARY/kadmor/");

    QVERIFY(QDir().mkpath(media + "/ucitel/USB DISK"));
    QCOMPARE(kadmor::package::startFolder(media, "ucitel", home), media + "/ucitel/USB DISK/kadmor/");
}

void TestPackageRules::trailingSlash()
{
    QCOMPARE(withTrailingSlash("/media/usb/kadmor"), QStringLiteral("/media/usb/kadmor/"));
    QCOMPARE(withTrailingSlash("/media/usb/kadmor/"), QStringLiteral("/media/usb/kadmor/"));
}

void TestPackageRules::installationFolders()
{
    QTemporaryDir root;
    QVERIFY(QDir().mkpath(root.filePath("app/data")));
    QVERIFY(QDir().mkpath(root.filePath("usb")));
    const QStringList own = {root.filePath("app/data"), root.filePath("app")};
    QVERIFY(belongsToInstallation(root.filePath("app/data/"), own));
    QVERIFY(belongsToInstallation(root.filePath("app/data/../"), own));
    QVERIFY(!belongsToInstallation(root.filePath("usb/"), own));
    QVERIFY(!belongsToInstallation(root.filePath("missing/"), own));
}

QTEST_GUILESS_MAIN(TestPackageRules)
#include "tst_package_rules.moc"
