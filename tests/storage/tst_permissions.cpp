// SPDX-License-Identifier: GPL-3.0-or-later
// Files the engine replaces (packing, emptying, index writes) on a folder shared by a group:
// they keep their group and mode, leave no temporary copies, and a table that may not be
// written says so.
#include "test_support.h"

#include "base/error.h"
#include "storage/layouts.h"
#include "storage/table.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kadmor;

namespace {

// A group the files may be given that is not the writer's own: any for the superuser, else one
// of the user's other groups. 0 when there is none.
gid_t otherGroup()
{
    if (geteuid() == 0)
        return getgid() == 100 ? 101 : 100;
    gid_t groups[64];
    const int count = getgroups(64, groups);
    for (int i = 0; i < count; ++i)
        if (groups[i] != getegid())
            return groups[i];
    return 0;
}

struct stat statOf(const QString& path)
{
    struct stat info = {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return info;
}

void openWords(Table& table, const QString& folder, bool exclusive)
{
    table.setDatabaseName(folder);
    table.setExclusive(exclusive);
    table.open();
}

} // namespace

class PermissionsTest : public QObject
{
    Q_OBJECT

  private slots:
    void replacedFilesKeepGroupAndMode_data();
    void replacedFilesKeepGroupAndMode();
    void leftoversOfKilledIndexWritesAreRemoved();
    void tableWithoutWritePermissionSaysSo();
};

using Write = std::function<void(Table&)>;

void PermissionsTest::replacedFilesKeepGroupAndMode_data()
{
    QTest::addColumn<Write>("write");
    QTest::addColumn<bool>("exclusive");
    QTest::newRow("pack") << Write([](Table& t) {
        t.remove();
        QCOMPARE(t.pack(), int(Table::PackDone));
    }) << true;
    QTest::newRow("empty") << Write([](Table& t) { t.emptyTable(); }) << true;
    QTest::newRow("post, which writes the index") << Write([](Table& t) {
        t.edit();
        t.fieldByName(QStringLiteral("CES")).setAsString(QStringLiteral("ovce"));
        t.post();
    }) << false;
}

void PermissionsTest::replacedFilesKeepGroupAndMode()
{
    QFETCH(Write, write);
    QFETCH(bool, exclusive);
    const gid_t group = otherGroup();
    if (group == 0)
        QSKIP("the user belongs to no second group");
    QTemporaryDir dir;
    const QString table = test::createTableWith(dir, layouts::words(), {{"  1", "sheep", "x"}, {"  1", "dog", "pes"}});
    const QString index = dir.filePath(QStringLiteral("kadmor.mdx"));
    for (const QString& path : {table, index}) {
        QCOMPARE(chown(QFile::encodeName(path).constData(), uid_t(-1), group), 0);
        QCOMPARE(chmod(QFile::encodeName(path).constData(), 0664), 0);
    }
    {
        Table words(layouts::words());
        openWords(words, dir.path(), exclusive);
        write(words);
    }
    for (const QString& path : {table, index}) {
        QCOMPARE(statOf(path).st_gid, group);
        QCOMPARE(statOf(path).st_mode & 07777, mode_t(0664));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"kadmor.dbf", "kadmor.mdx"}));
}

void PermissionsTest::leftoversOfKilledIndexWritesAreRemoved()
{
    QTemporaryDir dir;
    test::createTableWith(dir, layouts::words(), {{"  1", "sheep", "ovce"}});
    for (const char* name : {"kadmor.mdx.Ab12Cd", "kadmor.mdx.x9Y8z7", "kadmor.mdx.notes.txt"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Table words(layouts::words());
    openWords(words, dir.path(), false);
    words.append();
    words.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("dog"));
    words.post();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{"kadmor.dbf", "kadmor.mdx", "kadmor.mdx.notes.txt"}));
}

void PermissionsTest::tableWithoutWritePermissionSaysSo()
{
    if (geteuid() == 0)
        QSKIP("the superuser may write any file");
    QTemporaryDir dir;
    const QString table = test::createTableWith(dir, layouts::words(), {{"  1", "sheep", "ovce"}});
    QVERIFY(QFile::setPermissions(table, QFile::ReadOwner | QFile::ReadGroup));
    Table words(layouts::words());
    openWords(words, dir.path(), false);
    words.append();
    words.fieldByName(QStringLiteral("ANGL")).setAsString(QStringLiteral("dog"));
    try {
        words.post();
        QFAIL("wrote a table without permission");
    } catch (const Error& error) {
        QCOMPARE(error.text(), QStringLiteral("Tabulku kadmor.dbf nelze zapsat: chybí oprávnění."));
    }
    words.cancel();
    QVERIFY_THROWS_EXCEPTION(Error, words.edit());
}

QTEST_GUILESS_MAIN(PermissionsTest)
#include "tst_permissions.moc"
