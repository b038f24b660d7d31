// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/replacement_file.h"

#include "base/error.h"
#include "storage/system_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kadmor {

namespace {

constexpr char kRandomPart[] = "XXXXXX";

void syncFolderOf(const QString& path)
{
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder); // makes the rename itself durable
        ::close(folder);
    }
}

} // namespace

ReplacementFile::ReplacementFile(const QString& target, const QString& prefix) : m_target(target)
{
    m_tempPath = QFile::encodeName(target + prefix) + kRandomPart;
    m_fd = mkostemp(m_tempPath.data(), O_CLOEXEC);
    if (m_fd < 0)
        fail(QStringLiteral("vytváření nové kopie"));
    try {
        takeOwnershipOf(target);
    } catch (...) {
        ::close(m_fd);
        unlink(m_tempPath.constData());
        throw;
    }
}

ReplacementFile::~ReplacementFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed)
        unlink(m_tempPath.constData());
}

void ReplacementFile::takeOwnershipOf(const QString& target)
{
    struct stat info = {};
    if (stat(QFile::encodeName(target).constData(), &info) != 0) {
        if (errno == ENOENT)
            return; // a first index: the folder's defaults are right
        fail(QStringLiteral("zjišťování oprávnění"));
    }
    // Only the superuser may give a file away; anyone may give it a group they belong to. What
    // the system refuses stays as created, which is all it allows.
    if (fchown(m_fd, info.st_uid, info.st_gid) != 0)
        (void)!fchown(m_fd, uid_t(-1), info.st_gid);
    // After the owner: changing it may clear the set-group bit.
    if (fchmod(m_fd, info.st_mode & 07777) != 0)
        fail(QStringLiteral("nastavování oprávnění"));
}

void ReplacementFile::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            fail(QStringLiteral("zápisu"));
        done += put;
    }
}

void ReplacementFile::commit()
{
    if (fdatasync(m_fd) != 0)
        fail(QStringLiteral("ukládání na disk"));
    if (rename(m_tempPath.constData(), QFile::encodeName(m_target).constData()) != 0)
        fail(QStringLiteral("nahrazování"));
    m_committed = true;
    syncFolderOf(m_target);
}

int ReplacementFile::releaseDescriptor()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void ReplacementFile::removeLeftovers(const QString& target, const QString& prefix)
{
    const QFileInfo file(target);
    QDir folder = file.absoluteDir();
    const QString pattern = file.fileName() + prefix + QString(qsizetype(sizeof kRandomPart) - 1, u'?');
    for (const QString& name : folder.entryList({pattern}, QDir::Files | QDir::Hidden))
        folder.remove(name);
}

void ReplacementFile::fail(const QString& action) const
{
    throw Error(QStringLiteral("Chyba při %1 souboru %2: %3.")
                    .arg(action, QFileInfo(m_target).fileName(), systemErrorText(errno)));
}

} // namespace kadmor
