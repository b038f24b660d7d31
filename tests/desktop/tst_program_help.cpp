// SPDX-License-Identifier: GPL-3.0-or-later
// What every installed executable answers to --help and --version, without a display, and its
// manual page as man and lexgrog read it.

#include "tool_run.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

namespace {

// Runs the program without any display or platform, as from a text console.
testkit::ToolRun runWithoutDisplay(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(variable);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(30'000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QString manualPageFile(const QString& name)
{
    return QStringLiteral(KADMOR_BINARY_DIR "/man/%1.1.gz").arg(name);
}

} // namespace

class TestProgramHelp : public QObject
{
    Q_OBJECT

  private slots:
    void helpAndVersion_data();
    void helpAndVersion();
    void manualPage_data() { helpAndVersion_data(); }
    void manualPage();
    void programRefusesOtherArguments_data();
    void programRefusesOtherArguments();
};

void TestProgramHelp::helpAndVersion_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("ownOptions");
    QTest::newRow("kadmor") << QStringLiteral(KADMOR_PROGRAM) << QStringList();
    QTest::newRow("kadmor-table") << QStringLiteral(KADMOR_TABLE_TOOL) << QStringList{"dump SOUBOR.dbf", "repair"};
    QTest::newRow("kadmor-install") << QStringLiteral(KADMOR_INSTALL_TOOL) << QStringList{"--replace"};
}

void TestProgramHelp::helpAndVersion()
{
    QFETCH(QString, program);
    QFETCH(QStringList, ownOptions);
    const QString name = QFileInfo(program).fileName();
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const testkit::ToolRun help = runWithoutDisplay(program, {option});
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.err.isEmpty(), qPrintable(help.err));
        QVERIFY2(help.out.startsWith(QStringLiteral("Použití: ") + name), qPrintable(help.out));
        for (const QString& text : ownOptions + QStringList{"-h, --help", "--version"})
            QVERIFY2(help.out.contains(text), qPrintable(text));
        for (const QString& line : help.out.split(u'\n'))
            QVERIFY2(line.size() <= 79, qPrintable(line));
    }
    const testkit::ToolRun version = runWithoutDisplay(program, {"--version"});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QStringLiteral("%1 (kadmor) %2\n").arg(name, KADMOR_VERSION));
}

void TestProgramHelp::manualPage()
{
    QFETCH(QString, program);
    QFETCH(QStringList, ownOptions);
    const QString name = QFileInfo(program).fileName();
    // man's own check for what groff would warn about (lintian runs the same).
    const testkit::ToolRun check = testkit::runTool("man", {"--warnings", "-E", "UTF-8", "-l", manualPageFile(name)},
                                                    {{"LC_ALL", "C.UTF-8"}, {"MANWIDTH", "80"}});
    QCOMPARE(check.exitCode, 0);
    QVERIFY2(check.err.isEmpty(), qPrintable(check.err));
    for (const char* heading : {"JMÉNO", "POUŽITÍ", "VOLBY", "VIZ TAKÉ"})
        QVERIFY2(check.out.contains(heading), qPrintable(heading));
    for (const QString& text : ownOptions + QStringList{"--help", "--version"})
        QVERIFY2(check.out.contains(text), qPrintable(text));
    // The whatis line that apropos and man -k show comes from the NAME section.
    const testkit::ToolRun whatis = testkit::runTool("lexgrog", {manualPageFile(name)}, {{"LC_ALL", "C.UTF-8"}});
    QCOMPARE(whatis.exitCode, 0);
    QVERIFY2(whatis.out.contains(QStringLiteral(": \"%1 - ").arg(name)), qPrintable(whatis.out));
}

void TestProgramHelp::programRefusesOtherArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("a file") << QStringList{"lekce.dbf"};
    QTest::newRow("an unknown option") << QStringList{"--verbose"};
    QTest::newRow("help with more") << QStringList{"--help", "x"};
}

// The program takes no arguments but these two, and says so without opening a window.
void TestProgramHelp::programRefusesOtherArguments()
{
    QFETCH(QStringList, arguments);
    const testkit::ToolRun run = runWithoutDisplay(KADMOR_PROGRAM, arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err, QStringLiteral("kadmor: neznámý argument „%1“; program přijímá jen --help nebo --version.\n")
                          .arg(arguments.first()));
}

QTEST_GUILESS_MAIN(TestProgramHelp)
#include "tst_program_help.moc"
