// SPDX-License-Identifier: GPL-3.0-or-later
// kadmor-table: look into and repair the program's dBASE tables from the command line.
#include "table_commands.h"

#include "base/error.h"
#include "base/program_help.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTextStream>

#include <cstdio>

namespace {

void printUsage()
{
    std::fputs(kadmor::cli::helpText(kadmor::cli::thisProgram()).toUtf8().constData(), stderr);
}

// Asks on the terminal (or whatever the standard input is); only "a" or "ano" agrees.
bool confirmOnInput(const QString& question)
{
    QTextStream(stderr) << question << " [a/N] " << Qt::flush;
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == u"a" || answer == u"ano";
}

int run(const QString& command, const QString& path)
{
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    if (command == u"dump") {
        kadmor::tools::dumpTable(path, out);
    } else if (command == u"append") {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly))
            throw kadmor::Error(QStringLiteral("Nelze číst standardní vstup."));
        const int count = kadmor::tools::appendRecords(path, input.readAll());
        QTextStream(stderr) << QStringLiteral("Připsáno záznamů: %1\n").arg(count);
    } else if (command == u"pack") {
        kadmor::tools::packTable(path);
    } else if (command == u"check") {
        return kadmor::tools::checkTable(path, out) ? 0 : 1;
    } else if (command == u"repair") {
        kadmor::tools::repairTable(path, out, confirmOnInput);
    } else {
        printUsage();
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const auto answered = kadmor::cli::answerStandardArguments(argc, argv, kadmor::cli::thisProgram(),
                                                                   kadmor::cli::OtherArguments::LeftToTheProgram))
        return *answered;
    QCoreApplication application(argc, argv);
    QLocale::setDefault(QLocale::c()); // numbers with a decimal point, whatever the user's locale
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        printUsage();
        return 2;
    }
    try {
        return run(arguments[1], arguments[2]);
    } catch (const kadmor::Error& error) {
        QTextStream(stderr) << "kadmor-table: " << error.text() << '\n';
        return 1;
    }
}
