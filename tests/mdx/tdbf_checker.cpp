// SPDX-License-Identifier: GPL-3.0-or-later
#include "tdbf_checker.h"

#include <QProcess>

namespace mdxtest {

TdbfResult runTdbf(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(TDBFCHECK), arguments);
    TdbfResult result;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit) {
        result.output = QStringLiteral("%1 did not run: %2").arg(QStringLiteral(TDBFCHECK), process.errorString());
        return result;
    }
    result.exitCode = process.exitCode();
    result.output = QString::fromLatin1(process.readAll());
    return result;
}

} // namespace mdxtest
