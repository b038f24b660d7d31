// SPDX-License-Identifier: GPL-3.0-or-later
#include "install/first_start.h"

#include "base/error.h"
#include "install/installer.h"
#include "storage/layouts.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace kadmor::install {

namespace {

bool holdsConfigTable(const QString& folder)
{
    return QFileInfo::exists(QDir(folder).filePath(layouts::config().fileName));
}

void layOutUserInstallation(const QString& folder, const QString& content, const QString& configTable)
{
    // Two starts at once (a double click taken twice) lay it out once: the second waits, then
    // finds the installation.
    if (!QDir().mkpath(QFileInfo(folder).path())) {
        throw Error(QStringLiteral("Nelze vytvořit složku \"%1\".").arg(QFileInfo(folder).path()));
    }
    QLockFile lock(folder + QStringLiteral(".lock"));
    if (!lock.lock()) {
        throw Error(QStringLiteral("Nelze zamknout \"%1\" pro přípravu instalace.").arg(lock.fileName()));
    }
    if (holdsConfigTable(folder)) {
        return;
    }
    InstallRequest request;
    request.folder = folder;
    request.payloadFolder = content;
    request.configTable = QFileInfo::exists(configTable) ? configTable : QString();
    installApplication(request);
}

} // namespace

QString sharedContentFolder(const QString& executableFolder)
{
    return QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral(KADMOR_CONTENT_FROM_BIN)));
}

QString administratorConfigTable(const QString& executableFolder)
{
    return QDir::cleanPath(QDir(executableFolder).filePath(QStringLiteral(KADMOR_SYSCONF_FROM_BIN))) + u'/' +
           layouts::config().fileName;
}

QString userInstallationFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kadmor");
}

QString applicationFolderFor(const QString& executableFolder)
{
    const QString content = sharedContentFolder(executableFolder);
    if (holdsConfigTable(executableFolder) || !QFileInfo(content).isDir()) {
        return executableFolder;
    }
    const QString folder = userInstallationFolder();
    if (!holdsConfigTable(folder)) {
        try {
            layOutUserInstallation(folder, content, administratorConfigTable(executableFolder));
        } catch (const Error& error) {
            throw Error(QStringLiteral("Při prvním spuštění nelze připravit vaši instalaci programu kadmor ve složce "
                                       "\"%1\".\r%2")
                            .arg(folder, error.text()));
        }
    }
    return folder;
}

} // namespace kadmor::install
