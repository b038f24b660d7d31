// SPDX-License-Identifier: GPL-3.0-or-later
#include "install/tsv.h"

#include "base/error.h"

#include <QFile>
#include <QStringList>

namespace kadmor::install {

QList<TsvRow> readTsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        throw Error(QStringLiteral("Nelze číst soubor \"%1\": %2").arg(path, file.errorString()));
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty()) {
        return {};
    }
    const QStringList columns = lines.first().split(u'\t');
    QList<TsvRow> rows;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList values = lines[i].split(u'\t');
        if (values.size() > columns.size()) {
            throw Error(QStringLiteral("Soubor \"%1\", řádek %2: více hodnot než sloupců").arg(path).arg(i + 1));
        }
        TsvRow row;
        for (qsizetype c = 0; c < columns.size(); ++c) {
            row.insert(columns[c], c < values.size() ? values[c] : QString());
        }
        rows.append(row);
    }
    return rows;
}

} // namespace kadmor::install
