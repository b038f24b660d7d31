// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace testkit {

// What a command-line program did: its exit code (-1 when it crashed or did not end) and what it
// wrote, read as UTF-8.
struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the program with the arguments, the given variables added to the environment and the input
// on its standard input, and waits for it (two minutes at most).
ToolRun runTool(const QString& program, const QStringList& arguments,
                const QList<std::pair<QString, QString>>& environment = {}, const QByteArray& input = {});

} // namespace testkit
