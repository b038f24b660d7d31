// SPDX-License-Identifier: GPL-3.0-or-later
// The manual page of a program, in the man(7) macros, with Czech section names.
#include "base/program_help.h"

namespace kadmor::cli {

namespace {

// Text as troff prints it literally: a backslash is the escape character, a hyphen in names and
// options must stay a hyphen-minus, and a line starting with a dot or an apostrophe would be read
// as a request.
QString literal(const QString& text)
{
    QString out = text;
    out.replace(u'\\', QStringLiteral("\\e"));
    out.replace(u'-', QStringLiteral("\\-"));
    QStringList lines = out.split(u'\n');
    for (QString& line : lines) {
        if (line.startsWith(u'.') || line.startsWith(u'\''))
            line.prepend(QStringLiteral("\\&"));
    }
    return lines.join(u'\n');
}

QString quoted(const QString& text)
{
    return u'"' + literal(text) + u'"';
}

QString section(const QString& title)
{
    return QStringLiteral(".SH ") + quoted(title) + u'\n';
}

QString paragraphs(const QStringList& list)
{
    QStringList escaped;
    for (const QString& text : list)
        escaped << literal(text);
    return escaped.join(QStringLiteral("\n.PP\n")) + u'\n';
}

QString entryList(const QList<Entry>& list)
{
    QString text;
    for (const Entry& entry : list)
        text += QStringLiteral(".TP\n.B ") + quoted(entry.term) + u'\n' + literal(entry.text) + u'\n';
    return text;
}

QString synopsis(const ProgramHelp& help)
{
    QStringList lines;
    for (const QString& usage : help.usage)
        lines << QStringLiteral(".B ") + quoted(help.name) + (usage.isEmpty() ? QString() : u'\n' + literal(usage));
    return lines.join(QStringLiteral("\n.br\n")) + u'\n';
}

QString seeAlso(const QStringList& pages)
{
    QStringList references;
    for (const QString& page : pages) {
        const qsizetype open = page.indexOf(u'(');
        references << QStringLiteral(".BR ") + literal(page.left(open)) + u' ' + page.mid(open);
    }
    return references.join(QStringLiteral(",\n")) + u'\n';
}

} // namespace

QString manualPage(const ProgramHelp& help, const QString& date)
{
    QString page = QStringLiteral(".TH %1 1 %2 %3 %4\n")
                       .arg(quoted(help.name.toUpper()), quoted(date), quoted(QStringLiteral("kadmor ") + version()),
                            quoted(QStringLiteral("Příručka programu kadmor")));
    // Names of files and programs must not be broken at a hyphen.
    page += QStringLiteral(".nh\n");
    page += section(QStringLiteral("JMÉNO")) + literal(help.name + QStringLiteral(" - ") + help.summary) + u'\n';
    page += section(QStringLiteral("POUŽITÍ")) + synopsis(help);
    if (!help.description.isEmpty())
        page += section(QStringLiteral("POPIS")) + paragraphs(help.description);
    if (!help.commands.isEmpty())
        page += section(QStringLiteral("PŘÍKAZY")) + entryList(help.commands);
    page += section(QStringLiteral("VOLBY")) + entryList(allOptions(help));
    if (!help.files.isEmpty())
        page += section(QStringLiteral("SOUBORY")) + entryList(help.files);
    if (!help.notes.isEmpty())
        page += section(QStringLiteral("POZNÁMKY")) + paragraphs(help.notes);
    if (!help.seeAlso.isEmpty())
        page += section(QStringLiteral("VIZ TAKÉ")) + seeAlso(help.seeAlso);
    return page;
}

} // namespace kadmor::cli
