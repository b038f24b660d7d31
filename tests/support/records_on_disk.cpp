// SPDX-License-Identifier: GPL-3.0-or-later
#include "records_on_disk.h"

#include <QProcess>

namespace testkit {

QList<QStringList> recordsOnDisk(const QString& dbfPath, const QStringList& fields)
{
    // One record per line, fields separated by a unit separator, written as UTF-8.
    static const QString script =
        QStringLiteral("import sys, dbfread\n"
                       "fields = sys.argv[2].split(',')\n"
                       "for r in dbfread.DBF(sys.argv[1], encoding='cp1250', char_decode_errors='strict'):\n"
                       "    line = '\\x1f'.join('' if r[f] is None else str(r[f]).rstrip() for f in fields)\n"
                       "    sys.stdout.buffer.write((line + '\\n').encode('utf-8'))\n");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, dbfPath, fields.join(u',')});
    if (!python.waitForFinished() || python.exitCode() != 0)
        return {{QString::fromUtf8(python.readAllStandardError())}};
    QList<QStringList> records;
    const QString output = QString::fromUtf8(python.readAllStandardOutput());
    for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts))
        records.append(line.split(QChar(0x1f)));
    return records;
}

} // namespace testkit
