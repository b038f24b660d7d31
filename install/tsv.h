// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace kadmor::install {

// One row of a tab-separated file, its values by the column names of the file's first line.
using TsvRow = QHash<QString, QString>;

// Reads a UTF-8 tab-separated file whose first line names the columns. Empty lines are skipped;
// a row with more values than columns, or a missing file, throws kadmor::Error.
QList<TsvRow> readTsv(const QString& path);

} // namespace kadmor::install
