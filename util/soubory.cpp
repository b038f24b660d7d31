// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/soubory.h"

#include "base/dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QUrl>

namespace kadmor {

namespace {

constexpr qint64 blockSize = 512;
constexpr qint64 copyChunk = 1 << 16;

// Writes a copy beside the target and puts it in the target's place only when it is complete,
// so a failed copy never leaves a half-written target behind.
bool copyContents(const QString& source, const QString& target)
{
    QFile in(source);
    QSaveFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(copyChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return false;
        if (out.write(chunk) != chunk.size())
            return false;
    }
    if (!out.commit())
        return false;
    QFile::setPermissions(target, in.permissions());
    return true;
}

} // namespace

void openDocument(const QString& file, const QString& parameters, const QString& workingFolder)
{
    const QString folder = workingFolder.isEmpty() ? QDir::currentPath() : workingFolder;
    const QFileInfo info(QDir(folder), file);
    if (info.isFile() && info.isExecutable() &&
        QProcess::startDetached(info.absoluteFilePath(), QProcess::splitCommand(parameters), folder))
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool copyFile(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isFile()) {
        dialogs().beep();
        dialogs().message(BoxType::Warning, QStringLiteral("Zdrojový soubor \"%1\" neexistuje!").arg(source),
                          Buttons::Ok);
        return false;
    }
    if (QFileInfo(target).isFile()) {
        dialogs().beep();
        const Answer answer = dialogs().message(
            BoxType::Warning, QStringLiteral("Soubor \"%1\" již existuje. Přepsat?").arg(target), Buttons::YesNo);
        if (answer != Answer::Yes)
            return false;
    }
    return copyContents(source, target);
}

bool FileCopier::copy(const QString& source, const QString& target)
{
    m_done = false;
    m_done = copyFile(source, target);
    return m_done;
}

qint64 fileSize(const QString& path, bool roundToBlocks)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const qint64 size = file.size();
    return roundToBlocks ? (size + blockSize - 1) / blockSize * blockSize : size;
}

bool isPlainFileName(const QString& name)
{
    return !name.contains(u'/') && !name.contains(u'\\') && name != QStringLiteral(".") && name != QStringLiteral("..");
}

bool replaceByTemplates(const QString& dataFolder, const QStringList& names)
{
    bool replaced = true;
    for (const QString& name : names) {
        const QString live = dataFolder + u'/' + name;
        const QString blank = dataFolder + QStringLiteral("/empty_tables/") + name;
        if (QFile::exists(blank))
            QFile::remove(live);
        replaced = copyFile(blank, live) && replaced;
    }
    return replaced;
}

} // namespace kadmor
