// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_dialogs.h"
#include "util/soubory.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace kadmor;

using Event = ScriptedDialogs::Event;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(content), content.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every byte value, and more than one read chunk, so a copy that is not byte for byte shows.
QByteArray binaryContent()
{
    QByteArray content;
    for (int i = 0; i < 200'000; ++i)
        content.append(char((i * 7 + i / 256) % 256));
    return content;
}

} // namespace

// Receives what openDocument hands to the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT

  public:
    QList<QUrl> urls;

  public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class SouboryTest : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void fileSize_data();
    void fileSize();
    void fileSizeOfWhatCannotBeRead();

    void copyToNewTarget();
    void copyMissingSource_data();
    void copyMissingSource();
    void copyOverExistingTarget_data();
    void copyOverExistingTarget();
    void failedCopyReportsNothing();
    void copyOntoItself();

    void openDocumentPassesLongPathsWhole();
    void openDocumentTakesRelativeFileFromWorkingFolder();
    void openDocumentStartsProgramWithParameters();

    void plainFileNames_data();
    void plainFileNames();

    void templatesReplaceTheLiveFiles();
    void aMissingTemplateLeavesTheLiveFile();

  private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    QString path(const QString& name) const { return m_dir->filePath(name); }
};

void SouboryTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dialogs = std::make_unique<ScriptedDialogs>();
}

void SouboryTest::cleanup()
{
    QVERIFY2(m_dialogs->problems().isEmpty(), qPrintable(m_dialogs->problems()));
    m_dialogs.reset();
    m_dir.reset();
}

void SouboryTest::fileSize_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<qint64>("exact");
    QTest::addColumn<qint64>("rounded");

    QTest::newRow("empty") << 0 << qint64(0) << qint64(0);
    QTest::newRow("1") << 1 << qint64(1) << qint64(512);
    QTest::newRow("511") << 511 << qint64(511) << qint64(512);
    QTest::newRow("512") << 512 << qint64(512) << qint64(512);
    QTest::newRow("513") << 513 << qint64(513) << qint64(1024);
    QTest::newRow("1024") << 1024 << qint64(1024) << qint64(1024);
    QTest::newRow("1025") << 1025 << qint64(1025) << qint64(1536);
}

void SouboryTest::fileSize()
{
    QFETCH(int, bytes);
    QFETCH(qint64, exact);
    QFETCH(qint64, rounded);

    const QString file = path(QStringLiteral("zvuk č.wav"));
    writeFile(file, QByteArray(bytes, 'x'));
    QCOMPARE(kadmor::fileSize(file, false), exact);
    QCOMPARE(kadmor::fileSize(file, true), rounded);
}

void SouboryTest::fileSizeOfWhatCannotBeRead()
{
    for (const QString& what : {path(QStringLiteral("missing.wav")), m_dir->path(), QString()}) {
        QCOMPARE(kadmor::fileSize(what, false), qint64(0));
        QCOMPARE(kadmor::fileSize(what, true), qint64(0));
    }
}

void SouboryTest::copyToNewTarget()
{
    const QByteArray content = binaryContent();
    writeFile(path(QStringLiteral("source.wav")), content);
    FileCopier copier;
    copier.setDone(false);

    QVERIFY(copier.copy(path(QStringLiteral("source.wav")), path(QStringLiteral("target.wav"))));

    QVERIFY(copier.done());
    QCOMPARE(readFile(path(QStringLiteral("target.wav"))), content);
    QCOMPARE(m_dialogs->events(), QList<Event>());
}

void SouboryTest::copyMissingSource_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("no such file") << QStringLiteral("chybí \"obrázek\".bmp");
    QTest::newRow("a folder") << QStringLiteral("pictures");
}

void SouboryTest::copyMissingSource()
{
    QFETCH(QString, source);
    QDir(m_dir->path()).mkdir(QStringLiteral("pictures"));
    const QString target = path(QStringLiteral("target.bmp"));
    FileCopier copier;
    copier.setDone(true);
    m_dialogs->queueAnswer(Answer::Ok);

    QVERIFY(!copier.copy(path(source), target));

    QVERIFY(!copier.done());
    QVERIFY(!QFile::exists(target));
    QCOMPARE(m_dialogs->events(),
             (QList<Event>{Event::beep(),
                           Event::message(BoxType::Warning,
                                          QStringLiteral("Zdrojový soubor \"%1\" neexistuje!").arg(path(source)),
                                          Buttons::Ok)}));
}

void SouboryTest::copyOverExistingTarget_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("copied");
    QTest::newRow("Yes replaces the target") << Answer::Yes << true;
    QTest::newRow("No keeps the target") << Answer::No << false;
}

void SouboryTest::copyOverExistingTarget()
{
    QFETCH(Answer, answer);
    QFETCH(bool, copied);
    const QString source = path(QStringLiteral("nový.wav"));
    const QString target = path(QStringLiteral("starý.wav"));
    writeFile(source, "new sound");
    writeFile(target, "old sound, longer than the new one");
    FileCopier copier;
    copier.setDone(!copied);
    m_dialogs->queueAnswer(answer);

    QCOMPARE(copier.copy(source, target), copied);

    QCOMPARE(copier.done(), copied);
    QCOMPARE(readFile(target), copied ? QByteArray("new sound") : QByteArray("old sound, longer than the new one"));
    QCOMPARE(
        m_dialogs->events(),
        (QList<Event>{Event::beep(), Event::message(BoxType::Warning,
                                                    QStringLiteral("Soubor \"%1\" již existuje. Přepsat?").arg(target),
                                                    Buttons::YesNo)}));
}

void SouboryTest::failedCopyReportsNothing()
{
    writeFile(path(QStringLiteral("source.wav")), "sound");
    FileCopier copier;
    copier.setDone(true);
    QVERIFY(!copier.copy(path(QStringLiteral("source.wav")), path(QStringLiteral("no folder/target.wav"))));
    QVERIFY(!copier.done());
    QCOMPARE(m_dialogs->events(), QList<Event>());
}

void SouboryTest::copyOntoItself()
{
    const QString file = path(QStringLiteral("same.wav"));
    writeFile(file, "sound");
    m_dialogs->queueAnswer(Answer::Yes);
    QVERIFY(copyFile(file, file));
    QCOMPARE(readFile(file), QByteArray("sound"));
}

void SouboryTest::openDocumentPassesLongPathsWhole()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    const QString folder = path(QStringLiteral("nápověda s dlouhým jménem, které se nevejde do osmdesáti znaků/doc"));
    QVERIFY(QDir().mkpath(folder));
    const QString page = folder + QStringLiteral("/kd_index.html");
    writeFile(page, "<html></html>");
    QVERIFY(page.size() > 79);

    openDocument(page, QString(), QString());

    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(page)});
}

void SouboryTest::openDocumentTakesRelativeFileFromWorkingFolder()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    writeFile(path(QStringLiteral("slovicka.txt")), "slova");

    openDocument(QStringLiteral("slovicka.txt"), QString(), m_dir->path());

    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(path(QStringLiteral("slovicka.txt")))});
}

void SouboryTest::openDocumentStartsProgramWithParameters()
{
    const QString program = path(QStringLiteral("program.sh"));
    writeFile(program, "#!/bin/sh\nprintf '%s|' \"$PWD\" \"$@\" > out.tmp && mv out.tmp out.txt\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString folder = path(QStringLiteral("pracovní"));
    QVERIFY(QDir().mkpath(folder));

    openDocument(program, QStringLiteral("první \"dva slova\""), folder);

    const QString out = folder + QStringLiteral("/out.txt");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 10'000);
    QCOMPARE(QString::fromUtf8(readFile(out)), folder + QStringLiteral("|první|dva slova|"));
}

void SouboryTest::plainFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");
    QTest::newRow("word") << QStringLiteral("dog") << true;
    QTest::newRow("picture") << QStringLiteral("pes.bmp") << true;
    QTest::newRow("empty: the sound \".wav\"") << QString() << true;
    QTest::newRow("dots inside") << QStringLiteral("a..b") << true;
    QTest::newRow("Czech") << QStringLiteral("žluťoučký kůň") << true;
    QTest::newRow("parent") << QStringLiteral("..") << false;
    QTest::newRow("self") << QStringLiteral(".") << false;
    QTest::newRow("up and out") << QStringLiteral("../konfig.dbf") << false;
    QTest::newRow("absolute") << QStringLiteral("/etc/passwd") << false;
    QTest::newRow("Windows separator") << QStringLiteral("..\\kadmor") << false;
    QTest::newRow("subfolder") << QStringLiteral("old/dog") << false;
}

void SouboryTest::plainFileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, plain);
    QCOMPARE(kadmor::isPlainFileName(name), plain);
}

void SouboryTest::templatesReplaceTheLiveFiles()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir("empty_tables"));
    for (const QString& name : QStringList{"newwords.dbf", "newfraze.dbf"}) {
        writeFile(root.filePath(name), "full " + name.toLatin1());
        writeFile(root.filePath("empty_tables/" + name), "blank " + name.toLatin1());
    }
    ScriptedDialogs dialogs;
    QVERIFY(replaceByTemplates(root.path(), QStringList{"newwords.dbf", "newfraze.dbf"}));
    for (const QString& name : QStringList{"newwords.dbf", "newfraze.dbf"})
        QCOMPARE(readFile(root.filePath(name)), "blank " + name.toLatin1());
    QCOMPARE(dialogs.events(), QList<Event>());
}

void SouboryTest::aMissingTemplateLeavesTheLiveFile()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkdir("empty_tables"));
    writeFile(root.filePath("znamky.dbf"), "pupils");
    writeFile(root.filePath("znamky.mdx"), "index");
    writeFile(root.filePath("empty_tables/znamky.mdx"), "blank index");
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(Answer::Ok);

    QVERIFY(!replaceByTemplates(root.path(), {"znamky.dbf", "znamky.mdx"}));
    QCOMPARE(readFile(root.filePath("znamky.dbf")), "pupils");
    QCOMPARE(readFile(root.filePath("znamky.mdx")), "blank index");
    QCOMPARE(
        dialogs.events(),
        (QList<Event>{Event::beep(),
                      Event::message(BoxType::Warning,
                                     "Zdrojový soubor \"" + root.filePath("empty_tables/znamky.dbf") + "\" neexistuje!",
                                     Buttons::Ok)}));
    QVERIFY2(dialogs.problems().isEmpty(), qPrintable(dialogs.problems()));
}

QTEST_MAIN(SouboryTest)
#include "tst_soubory.moc"
