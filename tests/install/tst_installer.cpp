// SPDX-License-Identifier: GPL-3.0-or-later
// Runs kadmor-install on empty folders and checks what it laid out with tools that share no code
// with the program: dbfread for the tables, soxi for the sounds, ImageMagick's identify for the
// pictures.

#include "file_hashes.h"
#include "install/installer.h"
#include "install/tsv.h"
#include "storage/layouts.h"
#include "tdbf_checker.h"
#include "test_tables.h"
#include "tool_run.h"
#include "util/sifruj.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace kadmor;

namespace {

QString sourceContent(const QString& file)
{
    return QStringLiteral(KADMOR_SOURCE_DIR "/install/content/") + file;
}

QStringList storedFieldNames(const TableLayout& layout)
{
    QStringList names;
    for (const FieldSpec& field : layout.fields) {
        if (field.type != FieldType::Calculated) {
            names << field.name;
        }
    }
    return names;
}

QStringList toStrings(const QJsonArray& array)
{
    QStringList list;
    for (const QJsonValue& value : array) {
        list << value.toString();
    }
    return list;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void configurationRows();
    void wordsMatchTheirSource();
    void phrasesMatchTheirSourceAndCountFrom11111112();
    void pupilsCarryGradesCountAndAverage();
    void blankTablesAndTemplates_data();
    void blankTablesAndTemplates();
    void indexFilesAreValidForTdbf_data();
    void indexFilesAreValidForTdbf();
    void everyNamedPictureAndSoundExists();
    void soundsAreEightBitMono22050();
    void picturesAreReadableBitmapsAndJpegs();
    void helpPageNamesThePassword();
    void programIsCopiedWhenBuilt();
    void programBesideTheToolIsCopied();
    void zoomStoreIsCreatedOnceAndKept();
    void existingInstallationIsRefusedUnchanged();
    void replaceLaysOutAfreshAndKeepsForeignFiles();
    void unstorableDataFolderIsRefused_data();
    void unstorableDataFolderIsRefused();

  private:
    testkit::ToolRun runTool(const QStringList& args) const;
    QJsonObject dumpTables(const QStringList& paths) const;
    QJsonObject table(const QString& relativePath) const;
    QString installed(const QString& relativePath) const { return QDir(m_app).filePath(relativePath); }

    QTemporaryDir m_root{QDir::tempPath() + "/ki-XXXXXX"};
    QString m_app;
    QString m_config;
    QJsonObject m_tables; // every table of the installation, by path relative to m_app
};

testkit::ToolRun TestInstall::runTool(const QStringList& args) const
{
    return testkit::runTool(QStringLiteral(KADMOR_INSTALL_TOOL), args, {{QStringLiteral("XDG_CONFIG_HOME"), m_config}});
}

QJsonObject TestInstall::dumpTables(const QStringList& paths) const
{
    QProcess python;
    python.start("/usr/bin/python3", QStringList{KADMOR_TEST_DATA "/install/dump_dbf.py"} + paths);
    python.waitForFinished(60000);
    const QByteArray err = python.readAllStandardError();
    if (python.exitCode() != 0) {
        qWarning("%s", err.constData());
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QJsonObject TestInstall::table(const QString& relativePath) const
{
    return m_tables.value(installed(relativePath)).toObject();
}

void TestInstall::initTestCase()
{
    QVERIFY(m_root.isValid());
    m_app = m_root.filePath("app");
    m_config = m_root.filePath("config");
    const testkit::ToolRun run = runTool({m_app});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(run.out.contains(install::defaultTeacherPassword()));

    QStringList dbfs;
    QDirIterator it(m_app, {"*.dbf"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        dbfs << it.next();
    }
    QCOMPARE(dbfs.size(), 12); // konfig, six data tables, five templates
    m_tables = dumpTables(dbfs);
    QCOMPARE(m_tables.size(), dbfs.size());
}

void TestInstall::configurationRows()
{
    const QJsonObject config = table("konfig.dbf");
    const QJsonArray rows = config.value("records").toArray();
    const QJsonArray raw = config.value("raw").toArray();
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0].toObject().value("HODNOTA").toString(), QStringLiteral("anglický"));
    QCOMPARE(rows[1].toObject().value("HODNOTA").toString(), installed("data"));
    for (int row : {2, 3}) {
        const QString stored = raw[row].toObject().value("HODNOTA").toString();
        QCOMPARE(unscramblePassword(stored), install::defaultTeacherPassword());
        QVERIFY(stored != install::defaultTeacherPassword());
    }
    for (const QJsonValue& row : rows) {
        QVERIFY(!row.toObject().value("NAZEV").toString().isEmpty());
        QVERIFY(!row.toObject().value("POZN").toString().isEmpty());
    }
    QCOMPARE(rows[1].toObject().value("NAZEV").toString(), QStringLiteral("Cesta k datům"));
}

void TestInstall::wordsMatchTheirSource()
{
    const QList<install::TsvRow> source = install::readTsv(sourceContent("words.tsv"));
    const QJsonArray words = table("data/kadmor.dbf").value("records").toArray();
    QCOMPARE(words.size(), source.size());
    QMap<QString, int> perLesson;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QJsonObject word = words[i].toObject();
        QCOMPARE(word.value("LEK").toString(), source[i].value("LEK").rightJustified(3, u' '));
        for (const char* field : {"ANGL", "CES", "OBR", "ZVUK"}) {
            QCOMPARE(word.value(field).toString(), source[i].value(field));
        }
        QVERIFY(!word.value("ZVUK").toString().isEmpty());
        ++perLesson[word.value("LEK").toString()];
    }
    QVERIFY(perLesson.size() >= 4);
    for (int count : perLesson) {
        QVERIFY(count >= 15);
    }
    const auto hasAlternatives = [](const QJsonValue& w) { return w.toObject().value("CES").toString().contains(','); };
    QVERIFY(std::count_if(words.begin(), words.end(), hasAlternatives) >= 5);
    QVERIFY(std::any_of(words.begin(), words.end(), [](const QJsonValue& w) {
        return w.toObject().value("CES").toString() == QStringLiteral("žába");
    }));
}

void TestInstall::phrasesMatchTheirSourceAndCountFrom11111112()
{
    const QList<install::TsvRow> source = install::readTsv(sourceContent("phrases.tsv"));
    const QJsonArray phrases = table("data/fraze.dbf").value("records").toArray();
    QCOMPARE(phrases.size(), source.size());
    QMap<QString, int> perLesson;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QJsonObject phrase = phrases[i].toObject();
        QCOMPARE(phrase.value("LEK").toString(), source[i].value("LEK").rightJustified(3, u' '));
        QCOMPARE(phrase.value("ANGL").toString(), source[i].value("ANGL"));
        QCOMPARE(phrase.value("CES").toString(), source[i].value("CES"));
        QCOMPARE(phrase.value("ZVUK").toString(), QString::number(11111112 + i));
        ++perLesson[phrase.value("LEK").toString()];
    }
    QCOMPARE(perLesson.size(), 4);
    for (int count : perLesson) {
        QVERIFY(count >= 2);
    }
}

void TestInstall::pupilsCarryGradesCountAndAverage()
{
    const QList<install::TsvRow> source = install::readTsv(sourceContent("pupils.tsv"));
    const QJsonObject book = table("data/znamky.dbf");
    const QJsonArray pupils = book.value("records").toArray();
    const QStringList fields = toStrings(book.value("fields").toArray());
    const QStringList gradeSlots = storedFieldNames(layouts::grades()).mid(2, 28);
    QCOMPARE(pupils.size(), source.size());
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QJsonObject pupil = pupils[i].toObject();
        const QString grades = source[i].value("ZNAMKY");
        QCOMPARE(pupil.value("POR").toString().trimmed(), QStringLiteral("%1.").arg(i + 1));
        QCOMPARE(pupil.value("JMENO").toString(), source[i].value("JMENO"));
        int sum = 0;
        for (int slot = 0; slot < gradeSlots.size(); ++slot) {
            QVERIFY2(fields.contains(gradeSlots[slot]), qPrintable(gradeSlots[slot]));
            const QJsonValue value = pupil.value(gradeSlots[slot]);
            if (slot < grades.size()) {
                QCOMPARE(value.toInt(), grades[slot].digitValue());
                sum += value.toInt();
            } else {
                QVERIFY2(value.isNull(), qPrintable(gradeSlots[slot]));
            }
        }
        QCOMPARE(pupil.value("CPZ").toInt(), grades.size());
        if (grades.isEmpty()) {
            QVERIFY(pupil.value("PRUM").isNull());
        } else {
            QVERIFY(qAbs(pupil.value("PRUM").toDouble() - double(sum) / grades.size()) < 0.01);
        }
    }
    QVERIFY(std::any_of(pupils.begin(), pupils.end(), [](const QJsonValue& p) {
        return p.toObject().value("JMENO").toString() == QStringLiteral("Šťastná Lucie");
    }));
}

void TestInstall::blankTablesAndTemplates_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("fields");
    using namespace layouts;
    QTest::newRow("wrong answers") << "data/chtab.dbf" << storedFieldNames(wrongAnswers());
    QTest::newRow("new words") << "data/newwords.dbf" << storedFieldNames(newWords());
    QTest::newRow("new phrases") << "data/newfraze.dbf" << storedFieldNames(newPhrases());
    const QList<const TableLayout*> templates{&words(), &grades(), &phrases(), &newWords(), &newPhrases()};
    for (const TableLayout* layout : templates) {
        const QString path = "data/empty_tables/" + layout->fileName;
        QTest::newRow(qPrintable(path)) << path << storedFieldNames(*layout);
    }
}

void TestInstall::blankTablesAndTemplates()
{
    QFETCH(QString, path);
    QFETCH(QStringList, fields);
    const QJsonObject blank = table(path);
    QVERIFY2(!blank.isEmpty(), qPrintable(path));
    QCOMPARE(blank.value("records").toArray().size(), 0);
    QCOMPARE(toStrings(blank.value("fields").toArray()), fields);
    QCOMPARE(blank.value("encoding").toString(), QStringLiteral("cp1250"));
}

void TestInstall::indexFilesAreValidForTdbf_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("table");
    for (const QString folder : {"data", "data/empty_tables"})
        for (const QString table : {"kadmor", "fraze", "znamky"})
            QTest::newRow(qPrintable(folder + "/" + table)) << folder << table;
}

// Other dBASE programs open the installed tables through their production indexes.
void TestInstall::indexFilesAreValidForTdbf()
{
    QFETCH(QString, folder);
    QFETCH(QString, table);
    const kadmor::TableLayout& layout = mdxtest::layoutNamed(table);
    QVERIFY(QFile::exists(installed(folder + "/" + table + ".mdx")));
    const mdxtest::TdbfResult result = mdxtest::runTdbf(
        QStringList{"check", installed(folder + "/" + layout.fileName)} + mdxtest::tagArguments(layout));
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QCOMPARE(result.output.count(QStringLiteral("entries in order")), layout.tags.size());
    for (const QString unindexed : {"chtab", "newwords", "newfraze"})
        QVERIFY(!QFile::exists(installed(folder + "/" + unindexed + ".mdx")));
}

void TestInstall::everyNamedPictureAndSoundExists()
{
    int pictures = 0;
    for (const QJsonValue& value : table("data/kadmor.dbf").value("records").toArray()) {
        const QJsonObject word = value.toObject();
        const QString picture = word.value("OBR").toString();
        if (!picture.isEmpty()) {
            ++pictures;
            QVERIFY2(QFileInfo::exists(installed("pictures/" + picture)), qPrintable(picture));
        }
        QVERIFY2(QFileInfo::exists(installed("sounds/" + word.value("ZVUK").toString() + ".wav")),
                 qPrintable(word.value("ZVUK").toString()));
    }
    QVERIFY(pictures >= 12);
    for (const QJsonValue& value : table("data/fraze.dbf").value("records").toArray()) {
        const QString sound = value.toObject().value("ZVUK").toString();
        QVERIFY2(QFileInfo::exists(installed("sounds/" + sound + ".wav")), qPrintable(sound));
    }
}

void TestInstall::soundsAreEightBitMono22050()
{
    QStringList sounds{installed("dobre.wav"), installed("spatne.wav")};
    for (const QString& name : QDir(installed("sounds")).entryList({"*.wav"}, QDir::Files)) {
        sounds << installed("sounds/" + name);
    }
    for (const char* fixed : {"nosound.wav", "varovani.wav", "mujzvuk.wav", "newzvuk.wav"}) {
        QVERIFY2(sounds.contains(installed(QStringLiteral("sounds/") + fixed)), fixed);
    }
    for (const QString& sound : sounds) {
        QProcess soxi;
        soxi.start("soxi", {sound});
        QVERIFY(soxi.waitForFinished(10000));
        const QString info = QString::fromUtf8(soxi.readAllStandardOutput());
        QVERIFY2(soxi.exitCode() == 0, qPrintable(sound));
        QVERIFY2(info.contains(QRegularExpression("Channels\\s*: 1\\n")), qPrintable(sound));
        QVERIFY2(info.contains(QRegularExpression("Sample Rate\\s*: 22050\\n")), qPrintable(sound));
        QVERIFY2(info.contains("8-bit Unsigned Integer PCM"), qPrintable(sound));
        QVERIFY2(!info.contains("Duration       : 00:00:00.00 "), qPrintable(sound));
    }
    const QMap<QString, QByteArray> files = testkit::fileHashes(m_app);
    QVERIFY(files.value("dobre.wav") != files.value("spatne.wav"));
}

void TestInstall::picturesAreReadableBitmapsAndJpegs()
{
    QStringList pictures{installed("kadmor.bmp"), installed("zak.bmp")};
    for (const QString& name : QDir(installed("pictures")).entryList(QDir::Files)) {
        pictures << installed("pictures/" + name);
    }
    QSet<QString> formats;
    for (const QString& picture : pictures) {
        QProcess identify;
        identify.start("/usr/bin/identify", {"-format", "%m %w %h", picture});
        QVERIFY(identify.waitForFinished(10000));
        QVERIFY2(identify.exitCode() == 0, qPrintable(picture));
        const QStringList info = QString::fromUtf8(identify.readAllStandardOutput()).split(' ');
        QCOMPARE(info.size(), 3);
        const QString expected = picture.endsWith(".jpg") ? "JPEG" : "BMP"; // BMP3 is the Windows bitmap
        QVERIFY2(info[0].startsWith(expected), qPrintable(picture + ": " + info[0]));
        QVERIFY(info[1].toInt() >= 100 && info[2].toInt() >= 100);
        formats << expected;
    }
    QVERIFY(pictures.size() >= 14);
    QCOMPARE(formats, QSet<QString>({"BMP", "JPEG"}));
}

void TestInstall::helpPageNamesThePassword()
{
    QFile page(installed("doc/kd_index.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    QVERIFY(html.contains("<meta charset=\"utf-8\">"));
    QVERIFY(html.contains(install::defaultTeacherPassword()));
    QVERIFY(html.contains(QStringLiteral("Změna hesla")));
    QVERIFY(!html.contains('@')); // every placeholder filled in
}

void TestInstall::programIsCopiedWhenBuilt()
{
#ifdef KADMOR_APP_EXECUTABLE
    const QFileInfo built(KADMOR_APP_EXECUTABLE);
#else
    const QFileInfo built;
#endif
    const QFileInfo program(installed("kadmor"));
    if (!built.exists()) {
        QVERIFY(!program.exists());
        QSKIP("the program has not been built");
    }
    QVERIFY(program.isExecutable());
    QCOMPARE(program.size(), built.size());
}

void TestInstall::programBesideTheToolIsCopied()
{
    // A tool deployed beside a program (and its payload) installs that program.
    const QDir deployed(m_root.filePath("deployed"));
    QVERIFY(QDir().mkpath(deployed.path()));
    QVERIFY(QFile::copy(KADMOR_INSTALL_TOOL, deployed.filePath("kadmor-install")));
    QVERIFY(QFile::link(QFileInfo(KADMOR_INSTALL_TOOL).dir().filePath("payload"), deployed.filePath("payload")));
    QFile program(deployed.filePath("kadmor"));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\necho kadmor\n");
    program.close();
    QVERIFY(program.setPermissions(program.permissions() | QFileDevice::ExeOwner));

    const QString app = m_root.filePath("withprog");
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", m_config);
    tool.setProcessEnvironment(env);
    tool.start(deployed.filePath("kadmor-install"), {app});
    QVERIFY(tool.waitForFinished(120000));
    QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
    const QFileInfo installedProgram(QDir(app).filePath("kadmor"));
    QVERIFY(installedProgram.isExecutable());
    QCOMPARE(testkit::fileHashes(app).value("kadmor"), testkit::fileHashes(deployed.path()).value("kadmor"));
    QDir(app).removeRecursively();
}

void TestInstall::zoomStoreIsCreatedOnceAndKept()
{
    const QString store = QDir(m_config).filePath("kadmor/kadmor.conf");
    QVERIFY(QFileInfo::exists(store));
    QCOMPARE(QSettings(store, QSettings::IniFormat).value("velik").toString(), QStringLiteral("100"));

    QSettings(store, QSettings::IniFormat).setValue("velik", 130);
    const QString second = m_root.filePath("zoom");
    const testkit::ToolRun run = runTool({second});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(QSettings(store, QSettings::IniFormat).value("velik").toString(), QStringLiteral("130"));
    QDir(second).removeRecursively();
}

void TestInstall::existingInstallationIsRefusedUnchanged()
{
    const QMap<QString, QByteArray> before = testkit::fileHashes(m_app);
    const testkit::ToolRun run = runTool({m_app});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("Nic nebylo změněno")), qPrintable(run.err));
    QVERIFY(run.err.contains("--replace"));
    QCOMPARE(testkit::fileHashes(m_app), before);
    QCOMPARE(QDir(m_app).entryList({".kadmor-install-*"}, QDir::Dirs | QDir::Hidden), QStringList());

    // A folder that holds only part of an installation is not overwritten either.
    const QString partial = m_root.filePath("partial");
    QVERIFY(QDir().mkpath(partial + "/sounds"));
    QCOMPARE(runTool({partial}).exitCode, 1);
    QCOMPARE(QDir(partial).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"sounds"});
}

void TestInstall::replaceLaysOutAfreshAndKeepsForeignFiles()
{
    const QString app = m_root.filePath("again");
    QVERIFY(runTool({app}).exitCode == 0);
    const QMap<QString, QByteArray> fresh = testkit::fileHashes(app);
    QVERIFY(QFile::remove(app + "/sounds/cat.wav"));
    QVERIFY(QFile::remove(app + "/data/empty_tables/znamky.dbf"));
    QFile stray(app + "/sounds/stray.wav");
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.close();
    QFile foreign(app + "/poznamky.txt");
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("učitelovy poznámky");
    foreign.close();

    const testkit::ToolRun run = runTool({app, "--replace"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QMap<QString, QByteArray> replaced = testkit::fileHashes(app);
    QCOMPARE(replaced.take("poznamky.txt"),
             QCryptographicHash::hash(QByteArray("učitelovy poznámky"), QCryptographicHash::Sha1).toHex());
    QCOMPARE(replaced.keys(), fresh.keys());
    QCOMPARE(QDir(app).entryList({".kadmor-install-*"}, QDir::Dirs | QDir::Hidden), QStringList());
    QDir(app).removeRecursively();
}

void TestInstall::unstorableDataFolderIsRefused_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("reason");
    QTest::newRow("longer than the configuration value") << "a-folder-with-a-rather-long-name"
                                                         << "30";
    QTest::newRow("outside code page 1250") << QStringLiteral("日本") << QStringLiteral("znakovou sadu");
}

void TestInstall::unstorableDataFolderIsRefused()
{
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    const QString app = m_root.filePath(folder);
    const testkit::ToolRun run = runTool({app});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("Nic nebylo změněno")));
    QVERIFY(!QFileInfo::exists(app));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_installer.moc"
