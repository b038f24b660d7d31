// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

#include <functional>

namespace kadmor::tools {

// The administrator's table commands. Each throws kadmor::Error with a Czech text on failure.

// Field names, then every record, tab-separated; the first column marks deleted records "*".
void dumpTable(const QString& path, QTextStream& out);
// Appends one record per line of tab-separated values (fields in table order). Every line is
// checked before the first is appended, so bad input changes nothing. Returns the count.
int appendRecords(const QString& path, const QByteArray& input);
// Removes the deleted records for good; needs the table to be free of other users.
void packTable(const QString& path);

// Compares the header's record count with the whole records in the file and says what it
// found. Returns whether the table is sound.
bool checkTable(const QString& path, QTextStream& out);
// Sets a damaged table's count to the whole records in the file, so that none of them is lost,
// once confirm() agrees to what it is told; then brings the production index in step. Needs
// the table to be free of other users. Returns whether it wrote anything.
bool repairTable(const QString& path, QTextStream& out, const std::function<bool(const QString&)>& confirm);

} // namespace kadmor::tools
