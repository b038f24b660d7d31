// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/dbf_file.h"

#include "storage/byte_lock.h"
#include "storage/error.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kadmor {

namespace {

constexpr char kPackSuffix[] = ".pack-";

QString systemErrorText(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("soubor neexistuje");
    case EACCES:
    case EPERM:
        return QStringLiteral("chybí oprávnění");
    case ENOSPC:
        return QStringLiteral("disk je plný");
    case EROFS:
    case EBADF:
        return QStringLiteral("tabulka nebo disk je jen pro čtení");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString displayName(const QString& path)
{
    return QFileInfo(path).fileName();
}

int openDescriptor(const QString& path, int mode)
{
    int fd;
    do
        fd = ::open(QFile::encodeName(path).constData(), mode | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

ssize_t preadAll(int fd, char* buffer, size_t size, off_t offset)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t got = pread(fd, buffer + done, size - done, offset + off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += size_t(got);
    }
    return ssize_t(done);
}

} // namespace

// Holds the header lock for one change and undoes nothing: every step of a change leaves a
// readable file, so a failure half-way needs no repair.
class DbfFile::WriteLock
{
  public:
    explicit WriteLock(const DbfFile& file) : m_fd(file.m_fd)
    {
        if (!locks::waitLock(m_fd, locks::kHeaderLock, locks::Kind::Exclusive))
            throw Error(QStringLiteral("Tabulku %1 právě zapisuje jiný program a neuvolnila se; zkuste to znovu.")
                            .arg(displayName(file.m_path)));
    }
    ~WriteLock() { locks::unlock(m_fd, locks::kHeaderLock); }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

  private:
    int m_fd;
};

void DbfFile::withWriteLock(const std::function<void()>& work)
{
    WriteLock lock(*this);
    work();
}

bool DbfFile::Stamp::operator==(const Stamp& other) const
{
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec &&
           changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec &&
           recordCount == other.recordCount && changeCounter == other.changeCounter;
}

DbfFile::DbfFile(const QString& path, Access access) : m_path(path)
{
    m_fd = openDescriptor(path, O_RDWR);
    // A lesson package on read-only media can still be read.
    if (m_fd < 0 && (errno == EACCES || errno == EROFS) && access == Access::Shared)
        m_fd = openDescriptor(path, O_RDONLY);
    if (m_fd < 0)
        throw Error(QStringLiteral("Tabulku %1 nelze otevřít: %2.").arg(path, systemErrorText(errno)));
    const bool exclusive = access == Access::Exclusive;
    if (!locks::tryLock(m_fd, locks::kOpenLock, exclusive ? locks::Kind::Exclusive : locks::Kind::Shared)) {
        const int error = errno;
        ::close(m_fd);
        if (error != EAGAIN && error != EACCES) // the file system cannot lock: sharing would be unsafe
            throw Error(QStringLiteral("Tabulku %1 nelze zamknout: %2.").arg(path, systemErrorText(error)));
        throw Error(exclusive ? QStringLiteral("Tabulku %1 nelze otevřít výhradně, protože ji používá jiný program.")
                                    .arg(displayName(path))
                              : QStringLiteral("Tabulku %1 nelze otevřít, protože ji jiný program používá výhradně.")
                                    .arg(displayName(path)));
    }
    try {
        readHeader();
    } catch (...) {
        ::close(m_fd);
        throw;
    }
}

DbfFile::~DbfFile()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing the descriptor releases all of its locks
}

void DbfFile::failIo(const QString& action) const
{
    throw Error(
        QStringLiteral("Chyba při %1 tabulky %2: %3.").arg(action, displayName(m_path), systemErrorText(errno)));
}

QByteArray DbfFile::readPrefix() const
{
    QByteArray prefix(dbf::kHeaderSize, '\0');
    if (preadAll(m_fd, prefix.data(), prefix.size(), 0) != prefix.size())
        failIo(QStringLiteral("čtení hlavičky"));
    return prefix;
}

void DbfFile::readHeader()
{
    QByteArray bytes(dbf::kHeaderSize, '\0');
    ssize_t got = preadAll(m_fd, bytes.data(), bytes.size(), 0);
    const int length = got == bytes.size() ? dbf::headerLengthOf(bytes) : 0;
    if (length > bytes.size()) {
        bytes.resize(length);
        got = preadAll(m_fd, bytes.data(), bytes.size(), 0);
    }
    if (got < 0)
        failIo(QStringLiteral("čtení hlavičky"));
    bytes.truncate(got);
    m_header = dbf::parseHeader(bytes, displayName(m_path));
}

DbfFile::Stamp DbfFile::currentStamp() const
{
    struct stat info = {};
    if (fstat(m_fd, &info) != 0)
        failIo(QStringLiteral("zjišťování stavu"));
    const QByteArray prefix = readPrefix();
    Stamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified = info.st_mtim;
    stamp.changed = info.st_ctim;
    stamp.recordCount = dbf::recordCountOf(prefix);
    stamp.changeCounter = dbf::changeCounterOf(prefix);
    return stamp;
}

uint32_t DbfFile::wholeRecordsIn(uint32_t headerCount) const
{
    // A writer killed before raising the count leaves a record past it, and a foreign writer
    // may leave the count past the data: only whole, counted records are taken.
    struct stat info = {};
    if (fstat(m_fd, &info) != 0)
        failIo(QStringLiteral("zjišťování stavu"));
    const off_t available = qMax<off_t>(0, info.st_size - m_header.headerLength) / m_header.recordLength;
    return uint32_t(qMin<off_t>(headerCount, available));
}

off_t DbfFile::recordOffset(int index) const
{
    return off_t(m_header.headerLength) + off_t(index) * m_header.recordLength;
}

QByteArray DbfFile::readAllRecords()
{
    if (!locks::waitLock(m_fd, locks::kHeaderLock, locks::Kind::Shared))
        throw Error(
            QStringLiteral("Tabulku %1 právě zapisuje jiný program; zkuste to znovu.").arg(displayName(m_path)));
    struct Unlock
    {
        int fd;
        ~Unlock() { locks::unlock(fd, locks::kHeaderLock); }
    } unlockLater{m_fd};

    m_stamp = currentStamp();
    const int count = int(wholeRecordsIn(m_stamp.recordCount));
    m_header.recordCount = uint32_t(count);
    m_header.changeCounter = m_stamp.changeCounter;
    QByteArray records(qsizetype(count) * m_header.recordLength, Qt::Uninitialized);
    const ssize_t got = preadAll(m_fd, records.data(), records.size(), recordOffset(0));
    if (got != records.size())
        failIo(QStringLiteral("čtení"));
    return records;
}

QByteArray DbfFile::readRecord(int index)
{
    QByteArray record(m_header.recordLength, Qt::Uninitialized);
    if (preadAll(m_fd, record.data(), record.size(), recordOffset(index)) != record.size())
        failIo(QStringLiteral("čtení záznamu"));
    return record;
}

bool DbfFile::unchangedSinceRead() const
{
    return currentStamp() == m_stamp;
}

bool DbfFile::replacedOnDisk() const
{
    struct stat onDisk = {};
    struct stat open = {};
    if (stat(QFile::encodeName(m_path).constData(), &onDisk) != 0 || fstat(m_fd, &open) != 0)
        return false; // gone for a moment (being copied over): keep what we have
    return onDisk.st_ino != open.st_ino || onDisk.st_dev != open.st_dev;
}

void DbfFile::pwriteAll(const QByteArray& bytes, off_t offset) const
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), offset + done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            failIo(QStringLiteral("zápisu"));
        done += put;
    }
}

void DbfFile::syncData() const
{
    if (fdatasync(m_fd) != 0)
        failIo(QStringLiteral("ukládání na disk"));
}

void DbfFile::finishWrite(const QByteArray& prefixBefore, uint32_t newCount, bool wasInSync)
{
    QByteArray prefix = prefixBefore;
    dbf::writeVolatileFields(prefix, newCount, dbf::changeCounterOf(prefixBefore) + 1, QDate::currentDate());
    pwriteAll(prefix, 0);
    m_lastWriteInSync = wasInSync;
    if (wasInSync) {
        m_stamp = currentStamp();
        m_header.recordCount = newCount;
        m_header.changeCounter = m_stamp.changeCounter;
    }
}

int DbfFile::appendRecord(const QByteArray& record)
{
    WriteLock lock(*this);
    const bool inSync = currentStamp() == m_stamp;
    const QByteArray prefix = readPrefix();
    const uint32_t index = wholeRecordsIn(dbf::recordCountOf(prefix));
    pwriteAll(record + dbf::kEndMark, recordOffset(int(index)));
    syncData(); // the record must be on disk before the count that makes it visible
    finishWrite(prefix, index + 1, inSync);
    return int(index);
}

void DbfFile::writeRecord(int index, const QByteArray& record)
{
    WriteLock lock(*this);
    const bool inSync = currentStamp() == m_stamp;
    const QByteArray prefix = readPrefix();
    pwriteAll(record, recordOffset(index));
    finishWrite(prefix, dbf::recordCountOf(prefix), inSync);
}

void DbfFile::writeDeletionFlag(int index, char flag)
{
    writeRecord(index, QByteArray(1, flag));
}

void DbfFile::removeAllRecords()
{
    WriteLock lock(*this);
    const QByteArray prefix = readPrefix();
    finishWrite(prefix, 0, true); // the count goes first: a cut-off file then still opens
    if (ftruncate(m_fd, m_header.headerLength) != 0)
        failIo(QStringLiteral("vyprazdňování"));
    pwriteAll(QByteArray(1, dbf::kEndMark), m_header.headerLength);
    m_stamp = currentStamp();
}

void DbfFile::replaceRecords(const QByteArray& records, int count)
{
    QByteArray header(m_header.headerLength, '\0');
    if (preadAll(m_fd, header.data(), header.size(), 0) != header.size())
        failIo(QStringLiteral("čtení hlavičky"));
    QByteArray prefix = header.left(dbf::kHeaderSize);
    dbf::writeVolatileFields(prefix, uint32_t(count), dbf::changeCounterOf(prefix) + 1, QDate::currentDate());
    header.replace(0, dbf::kHeaderSize, prefix);

    removeLeftoverCopies();
    QByteArray tempPath = QFile::encodeName(m_path + QLatin1String(kPackSuffix)) + "XXXXXX";
    const int tempFd = mkostemp(tempPath.data(), O_CLOEXEC);
    if (tempFd < 0)
        failIo(QStringLiteral("vytváření zhuštěné kopie"));
    const int oldFd = m_fd;
    m_fd = tempFd; // so that the write helpers and their messages work on the new file
    try {
        struct stat info = {};
        if (fstat(oldFd, &info) != 0 || fchmod(tempFd, info.st_mode & 07777) != 0)
            failIo(QStringLiteral("nastavování oprávnění"));
        pwriteAll(header + records + dbf::kEndMark, 0);
        syncData();
        // Nobody may open the new file before we hold it exclusively as we held the old one.
        if (!locks::tryLock(tempFd, locks::kOpenLock, locks::Kind::Exclusive))
            failIo(QStringLiteral("zamykání"));
        if (rename(tempPath.constData(), QFile::encodeName(m_path).constData()) != 0)
            failIo(QStringLiteral("nahrazování"));
    } catch (...) {
        ::close(tempFd);
        unlink(tempPath.constData());
        m_fd = oldFd;
        throw;
    }
    ::close(oldFd);
    const int folderFd = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd); // make the rename itself durable
        ::close(folderFd);
    }
    m_header.recordCount = uint32_t(count);
    m_stamp = currentStamp();
}

void DbfFile::removeLeftoverCopies() const
{
    // Only the holder of exclusive use packs, and we are it: any copy left is from a packer
    // that was killed.
    const QFileInfo table(m_path);
    QDir folder = table.absoluteDir();
    for (const QString& name : folder.entryList({table.fileName() + QLatin1String(kPackSuffix) + u'*'}, QDir::Files))
        folder.remove(name);
}

bool DbfFile::tryLockRecord(int index)
{
    if (locks::tryLock(m_fd, locks::recordLock(index + 1), locks::Kind::Exclusive))
        return true;
    if (errno != EAGAIN && errno != EACCES)
        failIo(QStringLiteral("zamykání záznamu")); // e.g. a table on a read-only disk
    return false;
}

void DbfFile::unlockRecord(int index)
{
    locks::unlock(m_fd, locks::recordLock(index + 1));
}

} // namespace kadmor
