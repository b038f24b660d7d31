// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What every executable of kadmor tells about itself: one description from which both its answer
// to --help and --version and its manual page are made, so that the two never disagree.
namespace kadmor::cli {

// A term and what it means: an option, a command, a file.
struct Entry
{
    QString term{};
    QString text{};
};

struct ProgramHelp
{
    QString name{};            // the executable's name
    QString summary{};         // one line, starting in lower case: "prohlíží a opravuje tabulky …"
    QStringList usage{};       // the arguments of each way to call it, shown after the name
    QStringList description{}; // paragraphs
    QList<Entry> commands{};   // the commands, when the first argument is one
    QList<Entry> options{};    // its own options; --help and --version are added to every program
    QList<Entry> files{};      // the manual page's FILES section
    QStringList notes{};       // paragraphs of the manual page's NOTES section
    QStringList seeAlso{};     // other manual pages: "kadmor(1)"
};

// Defined once in every executable (its *_help.cpp): what this program tells.
const ProgramHelp& thisProgram();

// The version of the kadmor release this executable belongs to.
QString version();

// The program's name followed by the usage's arguments, if any.
QString callOf(const QString& name, const QString& usage);
// The program's own options followed by --help and --version.
QList<Entry> allOptions(const ProgramHelp& help);

QString helpText(const ProgramHelp& help);
QString versionText(const ProgramHelp& help);
// The manual page in man(7) markup, section 1, dated with the release date (YYYY-MM-DD).
QString manualPage(const ProgramHelp& help, const QString& date);

enum class OtherArguments {
    Refused,         // the program takes nothing else: any other argument is an error
    LeftToTheProgram // the program reads its own arguments after this
};

// Answers the arguments every program takes: when the only argument is --help (or -h) or
// --version, prints the answer on standard output and gives the exit code 0; when other arguments
// are refused and there are any, says so on standard error and gives the exit code 2; else
// nothing. Called before any window or application object is made, so that it works without a
// display.
std::optional<int> answerStandardArguments(int argc, char* argv[], const ProgramHelp& help, OtherArguments others);

} // namespace kadmor::cli
