// SPDX-License-Identifier: GPL-3.0-or-later
// The first start of an installed program: which folder it opens, how the user's own installation
// is laid out from the shared content, that it is never changed afterwards, and the
// administrator's prepared configuration table.

#include "base/error.h"
#include "file_hashes.h"
#include "install/config_table.h"
#include "install/first_start.h"
#include "storage/config_rows.h"
#include "storage/layouts.h"
#include "storage/schema.h"
#include "storage/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kadmor;

namespace {

QString configValue(const QString& folder, int row)
{
    Table table(layouts::config());
    table.setDatabaseName(folder);
    table.setTableName(layouts::config().fileName);
    table.open();
    config::goToRow(table, row);
    return table.fieldByName(kadmor::schema::config::field::value).asString();
}

} // namespace

class TestFirstStart : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void firstStartLaysOutTheUserInstallation();
    void laterStartsChangeNothing();
    void folderBesideTheExecutableIsKept_data();
    void folderBesideTheExecutableIsKept();
    void administratorsConfigurationIsTaken();
    void partOfAnInstallationIsRefusedUnchanged();

  private:
    QString userFolder() const { return m_root->filePath("home/.local/share/kadmor"); }
    QString bin() const { return m_root->filePath("prefix/bin"); }

    std::unique_ptr<QTemporaryDir> m_root;
    QByteArray m_home;
};

// A prefix as `cmake --install` lays it out, its shared content being what the build made, and a
// new user with an empty home folder and no XDG variables.
void TestFirstStart::init()
{
    m_root = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/kf-XXXXXX");
    QVERIFY(QDir().mkpath(bin()));
    const QString content = install::sharedContentFolder(bin());
    QVERIFY(QDir().mkpath(QFileInfo(content).path()));
    QVERIFY(QFile::link(KADMOR_PAYLOAD, content));
    QVERIFY(QDir().mkpath(m_root->filePath("home")));
    m_home = qgetenv("HOME");
    qputenv("HOME", m_root->filePath("home").toUtf8());
    for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"})
        qunsetenv(variable);
}

void TestFirstStart::cleanup()
{
    qputenv("HOME", m_home);
    m_root.reset();
}

void TestFirstStart::firstStartLaysOutTheUserInstallation()
{
    QCOMPARE(install::applicationFolderFor(bin()), userFolder());
    const QDir folder(userFolder());
    for (const char* entry : {"konfig.dbf", "kadmor.bmp", "dobre.wav", "sounds/nosound.wav", "doc/kd_index.html",
                              "data/kadmor.dbf", "data/znamky.mdx", "data/empty_tables/fraze.dbf"})
        QVERIFY2(folder.exists(entry), entry);
    // The program stays in PREFIX/bin; a copy would go stale with the next package.
    QVERIFY(!folder.exists("kadmor"));
    QVERIFY(QFileInfo::exists(m_root->filePath("home/.config/kadmor/kadmor.conf")));

    // The absolute path of the data folder is longer than the configuration's value.
    const QString data = folder.filePath("data");
    QVERIFY(data.size() > config::valueWidth());
    QCOMPARE(configValue(folder.path(), config::dataFolderRow), QStringLiteral("~/.local/share/kadmor/data"));
    QCOMPARE(config::dataFolderFromStored(configValue(folder.path(), config::dataFolderRow)), data);
    QCOMPARE(testkit::fileHashes(folder.filePath("sounds")), testkit::fileHashes(KADMOR_PAYLOAD "/sounds"));
    QCOMPARE(QDir(QFileInfo(userFolder()).path()).entryList({"kadmor*"}, QDir::AllEntries | QDir::Hidden),
             QStringList{"kadmor"});
}

void TestFirstStart::laterStartsChangeNothing()
{
    install::applicationFolderFor(bin());
    // The teacher's work since: a changed word table and a file of their own.
    QFile words(userFolder() + "/data/kadmor.dbf");
    QVERIFY(words.open(QIODevice::ReadWrite | QIODevice::Append));
    words.write("changed");
    words.close();
    QFile own(userFolder() + "/sounds/moje.wav");
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.close();
    const QMap<QString, QByteArray> before = testkit::fileHashes(userFolder());

    QCOMPARE(install::applicationFolderFor(bin()), userFolder());
    QCOMPARE(testkit::fileHashes(userFolder()), before);
}

void TestFirstStart::folderBesideTheExecutableIsKept_data()
{
    QTest::addColumn<bool>("configBeside");
    QTest::addColumn<bool>("sharedContent");
    QTest::newRow("laid out by kadmor-install") << true << true;
    QTest::newRow("build folder") << false << false;
}

// A folder with konfig.dbf beside the program, and a program that is not installed, open their own
// folder as they always have, and nothing is laid out for the user.
void TestFirstStart::folderBesideTheExecutableIsKept()
{
    QFETCH(bool, configBeside);
    QFETCH(bool, sharedContent);
    if (configBeside)
        install::createConfigTable(bin(), "anglický", "/srv/kadmor/data", "UCITEL");
    if (!sharedContent)
        QVERIFY(QFile::remove(install::sharedContentFolder(bin())));
    QCOMPARE(install::applicationFolderFor(bin()), bin());
    QVERIFY(!QFileInfo::exists(userFolder()));
}

void TestFirstStart::administratorsConfigurationIsTaken()
{
    const QString table = install::administratorConfigTable(bin());
    QVERIFY(QDir().mkpath(QFileInfo(table).path()));
    install::createConfigTable(QFileInfo(table).path(), "německý", "/srv/kadmor/data", "SKOLA");
    install::applicationFolderFor(bin());
    QCOMPARE(testkit::fileHashes(userFolder()).value("konfig.dbf"),
             testkit::fileHashes(QFileInfo(table).path()).value("konfig.dbf"));
    QCOMPARE(configValue(userFolder(), config::dataFolderRow), QStringLiteral("/srv/kadmor/data"));
}

void TestFirstStart::partOfAnInstallationIsRefusedUnchanged()
{
    QVERIFY(QDir().mkpath(userFolder() + "/sounds"));
    try {
        install::applicationFolderFor(bin());
        QFAIL("a folder holding part of an installation was taken");
    } catch (const Error& error) {
        QVERIFY2(error.text().startsWith(QStringLiteral("Při prvním spuštění nelze připravit")),
                 qPrintable(error.text()));
        QVERIFY2(error.text().contains(QStringLiteral("Nic nebylo změněno")), qPrintable(error.text()));
    }
    QCOMPARE(QDir(userFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"sounds"});
}

QTEST_GUILESS_MAIN(TestFirstStart)
#include "tst_first_start.moc"
