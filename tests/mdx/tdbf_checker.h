// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Runs the Free Pascal TDbf checker (tdbfcheck.pas, compiled by the build).
namespace mdxtest {

struct TdbfResult
{
    int exitCode = -1; // 0 all matched, 1 mismatch, 2 error; -1 when it did not run
    QString output;
};

TdbfResult runTdbf(const QStringList& arguments);

} // namespace mdxtest
