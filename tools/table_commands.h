// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

namespace kadmor::tools {

// The administrator's table commands. Each throws kadmor::Error with a Czech text on failure.

// Field names, then every record, tab-separated; the first column marks deleted records "*".
void dumpTable(const QString& path, QTextStream& out);
// Appends one record per line of tab-separated values (fields in table order). Every line is
// checked before the first is appended, so bad input changes nothing. Returns the count.
int appendRecords(const QString& path, const QByteArray& input);
// Removes the deleted records for good; needs the table to be free of other users.
void packTable(const QString& path);

} // namespace kadmor::tools
