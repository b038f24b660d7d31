// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_text.h"

#include "tool_run.h"

#include <QRegularExpression>

namespace testkit {

QStringList pdfPages(const QString& pdfFile)
{
    const ToolRun run = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
    if (run.exitCode != 0)
        return {};
    QStringList pages = run.out.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    static const QRegularExpression trailingBlanks(QStringLiteral("[ \t]+$"), QRegularExpression::MultilineOption);
    for (QString& page : pages)
        page.remove(trailingBlanks);
    return pages;
}

} // namespace testkit
