// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a school installs it: `cmake --install` into a temporary prefix, then the
// installed program started from its desktop entry's Exec line by a new user with an empty home
// folder, on an X server with a window manager. What its window shows is read as a user's screen
// reader would, through the accessibility bus.

#include "desktop.h"
#include "file_hashes.h"
#include "storage/layouts.h"
#include "storage/table.h"
#include "tool_run.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int startTimeoutMs = 60'000;
const QString appId = QStringLiteral(KADMOR_APP_ID);

// Sets the Czech word of the first record whose English word is the given one.
bool changeWord(const QString& dataFolder, const QString& english, const QString& czech)
{
    kadmor::Table words(kadmor::layouts::words());
    words.setDatabaseName(dataFolder);
    words.setTableName(kadmor::layouts::words().fileName);
    words.open();
    for (words.first(); !words.eof(); words.next()) {
        if (words.fieldByName(QStringLiteral("ANGL")).asString() == english) {
            words.edit();
            words.fieldByName(QStringLiteral("CES")).setAsString(czech);
            words.post();
            return true;
        }
    }
    return false;
}

} // namespace

class TestInstalledProgram : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void everythingIsInItsPlace();
    void firstStartShowsTheSampleLessons();
    void secondStartKeepsAChangedWord();

  private:
    QString prefix(const QString& path = {}) const { return QDir(m_root.filePath("prefix")).filePath(path); }
    QString userFolder() const { return m_root.filePath("home/.local/share/kadmor"); }
    QProcessEnvironment userEnvironment() const;
    QStringList desktopEntryCommand() const;
    void startBuses();
    void startFromTheMenu();
    void closeProgram();
    QJsonArray shownTexts() const;
    bool shows(const QString& role, const QString& text) const;
    void waitUntilShown(const QString& role, const QString& text);
    static void press(const QString& key);
    static QString mainWindow();

    QTemporaryDir m_root{QDir::tempPath() + "/kp-XXXXXX"};
    QString m_busAddress;
    QProcess m_sessionBus;
    QProcess m_accessibilityBus;
    QProcess m_program;
};

void TestInstalledProgram::initTestCase()
{
    if (!testkit::windowManagerRuns())
        QSKIP(testkit::windowManagerNeeded);
    QVERIFY(QDir().mkpath(m_root.filePath("home")));
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(KADMOR_CMAKE), {"--install", KADMOR_BINARY_DIR, "--prefix", prefix()});
    QVERIFY(install.waitForFinished(120'000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    startBuses();
}

// A test that failed half way leaves no program behind for the next one.
void TestInstalledProgram::cleanup()
{
    if (m_program.state() != QProcess::NotRunning) {
        m_program.kill();
        m_program.waitForFinished();
    }
}

void TestInstalledProgram::cleanupTestCase()
{
    for (QProcess* bus : {&m_accessibilityBus, &m_sessionBus}) {
        bus->terminate();
        bus->waitForFinished();
    }
}

// A session bus of the test's own, and the accessibility bus on it, through which the program
// tells what its window shows.
void TestInstalledProgram::startBuses()
{
    m_sessionBus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    QVERIFY(m_sessionBus.waitForReadyRead(10'000));
    m_busAddress = QString::fromUtf8(m_sessionBus.readLine()).trimmed();
    QVERIFY(!m_busAddress.isEmpty());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_busAddress);
    m_accessibilityBus.setProcessEnvironment(environment);
    m_accessibilityBus.start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"), {"--launch-immediately"});
    QVERIFY(m_accessibilityBus.waitForStarted());
}

// What a new user has: an empty home folder, no XDG folders of their own, the desktop's display
// and buses; no sound server, so that the start-up's messages are the same on every machine.
QProcessEnvironment TestInstalledProgram::userEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
        environment.remove(variable);
    environment.insert("HOME", m_root.filePath("home"));
    environment.insert("PATH", prefix("bin") + ":" + environment.value("PATH"));
    environment.insert("DBUS_SESSION_BUS_ADDRESS", m_busAddress);
    environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("PULSE_SERVER", "unix:/nonexistent/kadmor-no-sound");
    return environment;
}

QStringList TestInstalledProgram::desktopEntryCommand() const
{
    QSettings entry(prefix("share/applications/" + appId + ".desktop"), QSettings::IniFormat);
    const QString exec = entry.value(QStringLiteral("Desktop Entry/Exec")).toString();
    return exec.split(u' ', Qt::SkipEmptyParts);
}

void TestInstalledProgram::startFromTheMenu()
{
    const QStringList command = desktopEntryCommand();
    QCOMPARE(command, QStringList{"kadmor"});
    const QString program = QStandardPaths::findExecutable(command.first(), {prefix("bin")});
    QCOMPARE(program, prefix("bin/kadmor"));
    m_program.setProcessEnvironment(userEnvironment());
    m_program.setWorkingDirectory(m_root.filePath("home"));
    m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_program.start(program, {});
    QVERIFY(m_program.waitForStarted());
    // Without a sound device the start-up warns first; Enter answers the box, a second Enter
    // leaves the title page for the word list.
    waitUntilShown("label", QStringLiteral("Nemáš nainstalovanou zvukovou kartu!"));
    if (QTest::currentTestFailed())
        return;
    press("Return");
    waitUntilShown("push button", QStringLiteral("OK"));
    if (QTest::currentTestFailed())
        return;
    press("Return");
}

void TestInstalledProgram::closeProgram()
{
    // The window manager's close, as the window's close button would.
    const QProcess::ProcessState running = m_program.state();
    QCOMPARE(running, QProcess::Running);
    QProcess::execute("xdotool", {"windowactivate", "--sync", mainWindow(), "key", "alt+F4"});
    if (!m_program.waitForFinished(20'000)) {
        m_program.kill();
        m_program.waitForFinished();
        QFAIL("the program did not close");
    }
    QCOMPARE(m_program.exitCode(), 0);
}

QJsonArray TestInstalledProgram::shownTexts() const
{
    QProcess reader;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", m_busAddress);
    reader.setProcessEnvironment(environment);
    reader.start("/usr/bin/python3", {KADMOR_SOURCE_DIR "/tests/support/shown_texts.py", "kadmor"});
    reader.waitForFinished(30'000);
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
}

bool TestInstalledProgram::shows(const QString& role, const QString& text) const
{
    const QJsonArray shown = shownTexts();
    return std::any_of(shown.begin(), shown.end(), [&](const QJsonValue& element) {
        const QJsonArray pair = element.toArray();
        return pair[0].toString() == role && pair[1].toString().contains(text);
    });
}

void TestInstalledProgram::waitUntilShown(const QString& role, const QString& text)
{
    QVERIFY2(QTest::qWaitFor([&] { return shows(role, text); }, startTimeoutMs),
             qPrintable(QStringLiteral("%1 \"%2\" is not shown; shown: %3")
                            .arg(role, text, QString::fromUtf8(QJsonDocument(shownTexts()).toJson()))));
}

// The X window of the program's main window, whose title starts with the program's name.
QString TestInstalledProgram::mainWindow()
{
    QProcess search;
    search.start("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^kadmor v"});
    search.waitForFinished();
    return QString::fromUtf8(search.readAllStandardOutput()).section(u'\n', 0, 0);
}

void TestInstalledProgram::press(const QString& key)
{
    QCOMPARE(QProcess::execute("xdotool", {"key", key}), 0);
}

void TestInstalledProgram::everythingIsInItsPlace()
{
    QStringList expected = {"bin/kadmor",
                            "bin/kadmor-table",
                            "bin/kadmor-install",
                            "share/kadmor/kadmor.bmp",
                            "share/kadmor/sounds/nosound.wav",
                            "share/kadmor/content/words.tsv",
                            "share/kadmor/doc/kd_index.html",
                            "share/applications/" + appId + ".desktop",
                            "share/metainfo/" + appId + ".metainfo.xml",
                            "share/icons/hicolor/scalable/apps/" + appId + ".svg",
                            "share/doc/kadmor/copyright",
                            "share/doc/kadmor/changelog.gz"};
    for (const char* size : {"16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"})
        expected << QStringLiteral("share/icons/hicolor/%1/apps/%2.png").arg(size, appId);
    for (const char* program : {"kadmor", "kadmor-table", "kadmor-install"})
        expected << QStringLiteral("share/man/man1/%1.1.gz").arg(program);
    for (const QString& file : expected)
        QVERIFY2(QFileInfo::exists(prefix(file)), qPrintable(file));
    QVERIFY(QFileInfo(prefix("bin/kadmor")).isExecutable());
    QCOMPARE(QDir(prefix("share/kadmor")).entryList({"*.stamp"}), QStringList());
    // The metadata, its desktop entry and its icon, as a software centre finds them in the tree.
    const testkit::ToolRun tree = testkit::runTool("appstreamcli", {"validate-tree", "--no-net", "--strict", prefix()});
    QVERIFY2(tree.exitCode == 0, qPrintable(tree.out + tree.err));
}

void TestInstalledProgram::firstStartShowsTheSampleLessons()
{
    startFromTheMenu();
    if (QTest::currentTestFailed())
        return;
    // The word list of lesson 1 from the sample lessons.
    waitUntilShown("table cell", QStringLiteral("medvěd"));
    QVERIFY(shows("table cell", QStringLiteral("bear")));
    QVERIFY(!shows("push button", QStringLiteral("OK")));
    for (const char* entry : {"konfig.dbf", "zak.bmp", "spatne.wav", "sounds", "pictures", "doc/kd_index.html",
                              "data/kadmor.dbf", "data/empty_tables/kadmor.mdx"})
        QVERIFY2(QFileInfo::exists(QDir(userFolder()).filePath(entry)), entry);
    // The window carries the program's icon for the task bar.
    QProcess xprop;
    xprop.start("xprop", {"-id", mainWindow(), "_NET_WM_ICON"});
    QVERIFY(xprop.waitForFinished());
    const QString icons = QString::fromUtf8(xprop.readAllStandardOutput());
    for (const char* size : {"Icon (16 x 16)", "Icon (128 x 128)"})
        QVERIFY2(icons.contains(size), qPrintable(icons));
    closeProgram();
}

void TestInstalledProgram::secondStartKeepsAChangedWord()
{
    QVERIFY2(QFileInfo::exists(userFolder() + "/konfig.dbf"), "the first start laid out no installation");
    QVERIFY(changeWord(userFolder() + "/data", "bear", QStringLiteral("medvídek brtník")));
    const QMap<QString, QByteArray> before = testkit::fileHashes(userFolder());

    startFromTheMenu();
    if (QTest::currentTestFailed())
        return;
    waitUntilShown("table cell", QStringLiteral("medvídek brtník"));
    closeProgram();
    // Nothing laid out again, nothing overwritten.
    QCOMPARE(testkit::fileHashes(userFolder()), before);
}

QTEST_MAIN(TestInstalledProgram)
#include "tst_installed_program.moc"
