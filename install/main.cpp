// SPDX-License-Identifier: GPL-3.0-or-later
// kadmor-install FOLDER [--replace]: lays out a complete kadmor installation in FOLDER.

#include "install/installer.h"
#include "base/error.h"

#include <QCommandLineParser>
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

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("kadmor-install");

    QCommandLineParser parser;
    parser.setApplicationDescription("Vytvoří ve složce úplnou instalaci programu kadmor s ukázkovými lekcemi.");
    parser.addHelpOption();
    parser.addPositionalArgument("SLOŽKA", "složka instalace (data budou v SLOŽKA/data)");
    parser.addOption({"replace", "nahradí existující instalaci (přepíše i tabulky slovíček, žáků a frází)"});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << "Zadejte jednu složku instalace: kadmor-install SLOŽKA [--replace]\n";
        return 2;
    }

    kadmor::install::InstallRequest request;
    request.folder = parser.positionalArguments().first();
    request.payloadFolder = QDir(QCoreApplication::applicationDirPath()).filePath("payload");
    request.program = builtProgram();
    request.replace = parser.isSet("replace");
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
