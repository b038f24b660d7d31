// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/program_help.h"

#include <cstdio>

namespace kadmor::cli {

namespace {

constexpr qsizetype lineWidth = 79;
constexpr qsizetype entryIndent = 2;
constexpr qsizetype widestTermColumn = 28;

const QList<Entry> standardOptions = {
    {QStringLiteral("-h, --help"), QStringLiteral("vypíše tuto nápovědu a skončí")},
    {QStringLiteral("--version"), QStringLiteral("vypíše verzi a skončí")},
};

// The words of the text on lines of at most width characters, each line after the first indented.
QStringList wrapped(const QString& text, qsizetype width)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

QString paragraph(const QString& text)
{
    return wrapped(text, lineWidth).join(u'\n') + u'\n';
}

// "  term   text", the texts of all entries starting in one column; a term too wide for the column
// stands on a line of its own.
QString entries(const QString& title, const QList<Entry>& list)
{
    qsizetype column = 0;
    for (const Entry& entry : list)
        column = std::max(column, entryIndent + entry.term.size() + 2);
    column = std::min(column, widestTermColumn);
    QString text = title + QStringLiteral(":\n");
    const QString indent(column, u' ');
    for (const Entry& entry : list) {
        QString head = QString(entryIndent, u' ') + entry.term;
        if (head.size() + 2 > column) {
            text += head + u'\n';
            head.clear();
        }
        const QStringList lines = wrapped(entry.text, lineWidth - column);
        for (qsizetype i = 0; i < lines.size(); ++i)
            text += (i == 0 ? head.leftJustified(column, u' ') : indent) + lines[i] + u'\n';
    }
    return text;
}

QString capitalised(const QString& text)
{
    return text.left(1).toUpper() + text.mid(1);
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

} // namespace

QString callOf(const QString& name, const QString& usage)
{
    return usage.isEmpty() ? name : name + u' ' + usage;
}

QList<Entry> allOptions(const ProgramHelp& help)
{
    return help.options + standardOptions;
}

QString helpText(const ProgramHelp& help)
{
    QString text;
    for (qsizetype i = 0; i < help.usage.size(); ++i)
        text += (i == 0 ? QStringLiteral("Použití: ") : QStringLiteral("   nebo: ")) +
                callOf(help.name, help.usage[i]) + u'\n';
    text += paragraph(capitalised(help.summary) + u'.');
    for (const QString& description : help.description)
        text += u'\n' + paragraph(description);
    if (!help.commands.isEmpty())
        text += u'\n' + entries(QStringLiteral("Příkazy"), help.commands);
    text += u'\n' + entries(QStringLiteral("Volby"), allOptions(help));
    return text;
}

QString version()
{
    return QStringLiteral(KADMOR_VERSION);
}

QString versionText(const ProgramHelp& help)
{
    return help.name + QStringLiteral(" (kadmor) ") + version() + u'\n';
}

std::optional<int> answerStandardArguments(int argc, char* argv[], const ProgramHelp& help, OtherArguments others)
{
    const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (argc == 2 && (first == u"--help" || first == u"-h")) {
        print(stdout, helpText(help));
        return 0;
    }
    if (argc == 2 && first == u"--version") {
        print(stdout, versionText(help));
        return 0;
    }
    if (argc > 1 && others == OtherArguments::Refused) {
        print(stderr, QStringLiteral("%1: neznámý argument „%2“; program přijímá jen --help nebo --version.\n")
                          .arg(help.name, first));
        return 2;
    }
    return std::nullopt;
}

} // namespace kadmor::cli
