// SPDX-License-Identifier: GPL-3.0-or-later
#include "tool_run.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace testkit {

ToolRun runTool(const QString& program, const QStringList& arguments,
                const QList<std::pair<QString, QString>>& environment, const QByteArray& input)
{
    QProcess process;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment)
        variables.insert(name, value);
    process.setProcessEnvironment(variables);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return {-1, {}, QStringLiteral("%1 does not start").arg(program)};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120'000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace testkit
