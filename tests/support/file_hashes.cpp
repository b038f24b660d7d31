// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_hashes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace testkit {

QMap<QString, QByteArray> fileHashes(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(path),
                     QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
    }
    return files;
}

} // namespace testkit
