// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace testkit {

// The named fields of every record of a dBASE table as an independent reader (Python's dbfread)
// sees them, in file order, deleted records left out, text fields without trailing blanks. A
// failing reader gives one row holding its error output.
QList<QStringList> recordsOnDisk(const QString& dbfPath, const QStringList& fields);

} // namespace testkit
