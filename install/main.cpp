// SPDX-License-Identifier: GPL-3.0-or-later
// kadmor-install FOLDER [--replace]: lays out a complete kadmor installation in FOLDER.

#include "base/error.h"
#include "base/program_help.h"
#include "install/first_start.h"
#include "install/installer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// The program is taken from beside this tool, else from where the build made it.
QString builtProgram()
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("kadmor");
    if (QFileInfo(beside).isExecutable()) {
        return beside;
    }
#ifdef KADMOR_APP_EXECUTABLE
    if (QFileInfo(KADMOR_APP_EXECUTABLE).isExecutable()) {
        return KADMOR_APP_EXECUTABLE;
    }
#endif
    return {};
}

// What the build made beside the tool, else the content an installed tool shares with the program.
QString payloadFolder()
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = QDir(folder).filePath("payload");
    return QFileInfo(beside).isDir() ? beside : kadmor::install::sharedContentFolder(folder);
}

} // namespace

int main(int argc, char* argv[])
{
    const kadmor::cli::ProgramHelp& help = kadmor::cli::thisProgram();
    if (const auto answered =
            kadmor::cli::answerStandardArguments(argc, argv, help, kadmor::cli::OtherArguments::LeftToTheProgram)) {
        return *answered;
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("kadmor-install");

    QTextStream out(stdout);
    QTextStream err(stderr);
    kadmor::install::InstallRequest request;
    QStringList folders;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        if (argument == u"--replace") {
            request.replace = true;
        } else {
            folders << argument;
        }
    }
    if (folders.size() != 1 || folders.first().startsWith(u'-')) {
        err << "Zadejte jednu složku instalace: kadmor-install SLOŽKA [--replace] (nápověda: kadmor-install --help)\n";
        return 2;
    }

    request.folder = folders.first();
    request.payloadFolder = payloadFolder();
    request.program = builtProgram();
    try {
        const QStringList notes = kadmor::install::installApplication(request);
        for (const QString& note : notes) {
            out << note << '\n';
        }
        out << "Instalace je hotova ve složce " << QDir(request.folder).absolutePath()
            << ". Heslo učitele: " << kadmor::install::defaultTeacherPassword() << '\n';
    } catch (const kadmor::Error& e) {
        err << e.text() << '\n';
        return 1;
    }
    return 0;
}
