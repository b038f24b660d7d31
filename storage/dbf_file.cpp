// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/dbf_file.h"

#include "storage/byte_lock.h"
#include "base/error.h"
#include "storage/replacement_file.h"
#include "storage/system_error.h"
#include "storage/table_fingerprint.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace kadmor {

namespace {

constexpr char kPackPrefix[] = ".pack-";
// A packer that keeps replacing the file between our open and our lock for this many times in a
// row is not waited for any longer.
constexpr int kOpenAttempts = 20;
constexpr int kAppendRoom = 64; // records
constexpr int kAppendSlotAttempts = 10000; // slots held by other appenders before we give up

std::function<void()>& beforeOpenLockHook()
{
    static std::function<void()> hook;
    return hook;
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
        file.requireWritable();
        if (!locks::waitLock(m_fd, locks::kHeaderLock, locks::Kind::Exclusive)) {
            if (errno != EAGAIN && errno != EACCES)
                file.failIo(QStringLiteral("zamykání"));
            throw Error(QStringLiteral("Tabulku %1 právě zapisuje jiný program a neuvolnila se; zkuste to znovu.")
                            .arg(displayName(file.m_path)));
        }
        // What we write must be the table at the path, not a file someone put aside meanwhile.
        if (!file.isFileAtPath()) {
            locks::unlock(m_fd, locks::kHeaderLock);
            throw Error(QStringLiteral("Tabulku %1 mezitím nahradil jiný program; změna nebyla uložena. "
                                       "Otevřete tabulku znovu.")
                            .arg(displayName(file.m_path)));
        }
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

void DbfFile::setBeforeOpenLockHook(std::function<void()> hook)
{
    beforeOpenLockHook() = std::move(hook);
}

DbfFile::DbfFile(const QString& path, Access access) : m_path(path)
{
    // A pack elsewhere may rename its new file over the path between our open and our lock; the
    // file we opened is then nobody's table, and whatever we wrote to it would be lost.
    for (int attempt = 1;; ++attempt) {
        openAndLock(access);
        if (isFileAtPath())
            break;
        ::close(m_fd);
        m_fd = -1;
        if (attempt == kOpenAttempts)
            throw Error(QStringLiteral("Tabulku %1 nelze otevřít: jiný program ji stále nahrazuje.").arg(path));
    }
    try {
        readHeader();
    } catch (...) {
        ::close(m_fd);
        throw;
    }
}

void DbfFile::openAndLock(Access access)
{
    m_fd = openDescriptor(m_path, O_RDWR);
    m_readOnlyReason = 0;
    // A lesson package on read-only media can still be read.
    if (m_fd < 0 && (errno == EACCES || errno == EROFS) && access == Access::Shared) {
        m_readOnlyReason = errno;
        m_fd = openDescriptor(m_path, O_RDONLY);
    }
    if (m_fd < 0)
        throw Error(QStringLiteral("Tabulku %1 nelze otevřít: %2.").arg(m_path, systemErrorText(errno)));
    if (beforeOpenLockHook())
        beforeOpenLockHook()();
    const bool exclusive = access == Access::Exclusive;
    if (!locks::tryLock(m_fd, locks::kOpenLock, exclusive ? locks::Kind::Exclusive : locks::Kind::Shared)) {
        const int error = errno;
        ::close(m_fd);
        m_fd = -1;
        if (error != EAGAIN && error != EACCES) // the file system cannot lock: sharing would be unsafe
            throw Error(QStringLiteral("Tabulku %1 nelze zamknout: %2.").arg(m_path, systemErrorText(error)));
        throw Error(exclusive ? QStringLiteral("Tabulku %1 nelze otevřít výhradně, protože ji používá jiný program.")
                                    .arg(displayName(m_path))
                              : QStringLiteral("Tabulku %1 nelze otevřít, protože ji jiný program používá výhradně.")
                                    .arg(displayName(m_path)));
    }
}

bool DbfFile::isFileAtPath() const
{
    struct stat onDisk = {};
    struct stat open = {};
    if (stat(QFile::encodeName(m_path).constData(), &onDisk) != 0 || fstat(m_fd, &open) != 0)
        return false;
    return onDisk.st_ino == open.st_ino && onDisk.st_dev == open.st_dev;
}

void DbfFile::requireWritable() const
{
    if (m_readOnlyReason != 0)
        throw Error(
            QStringLiteral("Tabulku %1 nelze zapsat: %2.").arg(displayName(m_path), systemErrorText(m_readOnlyReason)));
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

uint32_t DbfFile::wholeRecords() const
{
    struct stat info = {};
    if (fstat(m_fd, &info) != 0)
        failIo(QStringLiteral("zjišťování stavu"));
    const off_t whole = qMax<off_t>(0, info.st_size - m_header.headerLength) / m_header.recordLength;
    return uint32_t(qMin<off_t>(whole, std::numeric_limits<uint32_t>::max()));
}

DbfFile::Census DbfFile::census() const
{
    return {dbf::recordCountOf(readPrefix()), wholeRecords()};
}

void DbfFile::failDamaged(const Census& census) const
{
    const QString name = displayName(m_path);
    const QString what = census.whole > census.counted
                             ? QStringLiteral("hlavička uvádí %1 záznamů, soubor jich však obsahuje %2")
                             : QStringLiteral("hlavička uvádí %1 záznamů, soubor však končí po %2 celých záznamech");
    throw Error(QStringLiteral("Tabulka %1 je poškozená: %2. Aby se žádný záznam neztratil, nelze s ní pracovat; "
                               "správce ji opraví příkazem „kadmor-table repair %1“.")
                    .arg(name, what.arg(census.counted).arg(census.whole)));
}

off_t DbfFile::recordOffset(int index) const
{
    return off_t(m_header.headerLength) + off_t(index) * m_header.recordLength;
}

QByteArray DbfFile::readCountedRecords(Stamp& stamp) const
{
    if (!locks::waitLock(m_fd, locks::kHeaderLock, locks::Kind::Shared))
        throw Error(
            QStringLiteral("Tabulku %1 právě zapisuje jiný program; zkuste to znovu.").arg(displayName(m_path)));
    struct Unlock
    {
        int fd;
        ~Unlock() { locks::unlock(fd, locks::kHeaderLock); }
    } unlockLater{m_fd};

    stamp = currentStamp();
    const Census counts{stamp.recordCount, wholeRecords()};
    if (counts.damaged())
        failDamaged(counts);
    const int count = int(counts.usable());
    // Room for the records appended next: without it the first append after an open copies
    // every record into a new buffer (about 30 ms at 200,000 words).
    const qsizetype size = qsizetype(count) * m_header.recordLength;
    QByteArray records;
    records.reserve(size + qsizetype(kAppendRoom) * m_header.recordLength);
    records.resize(size);
    const ssize_t got = preadAll(m_fd, records.data(), records.size(), recordOffset(0));
    if (got != records.size())
        failIo(QStringLiteral("čtení"));
    return records;
}

QByteArray DbfFile::readAllRecords()
{
    QByteArray records = readCountedRecords(m_stamp);
    m_header.recordCount = uint32_t(records.size() / m_header.recordLength);
    m_header.changeCounter = m_stamp.changeCounter;
    return records;
}

QByteArray DbfFile::readRecordsNow() const
{
    Stamp ignored;
    return readCountedRecords(ignored);
}

QByteArray DbfFile::readRecord(int index)
{
    QByteArray record(m_header.recordLength, Qt::Uninitialized);
    if (preadAll(m_fd, record.data(), record.size(), recordOffset(index)) != record.size())
        failIo(QStringLiteral("čtení záznamu"));
    return record;
}

QByteArray DbfFile::currentFingerprint() const
{
    struct stat info = {};
    if (fstat(m_fd, &info) != 0)
        failIo(QStringLiteral("zjišťování stavu"));
    return dbf::fingerprintOf(info, readPrefix());
}

bool DbfFile::unchangedSinceRead() const
{
    return currentStamp() == m_stamp;
}

bool DbfFile::replacedOnDisk() const
{
    // A path gone for a moment is being copied over: keep what we have until it is back.
    return QFileInfo::exists(m_path) && !isFileAtPath();
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
    m_fingerprintBeforeWrite = currentFingerprint();
    const QByteArray prefix = readPrefix();
    const Census counts{dbf::recordCountOf(prefix), wholeRecords()};
    if (counts.damaged())
        failDamaged(counts); // never write over a record the count does not show
    // As multi-user dBASE programs append: the new record's slot is locked before it is written,
    // and a slot someone else holds is theirs. Another program locks its slot (the first past the
    // records in the file) before it takes the header lock, raises the count by one and writes
    // its record afterwards; a writer killed meanwhile leaves a counted slot nobody holds.
    const auto tryLockSlot = [&](uint32_t slot) {
        if (locks::tryLock(m_fd, locks::recordLock(int(slot) + 1), locks::Kind::Exclusive))
            return true;
        if (errno != EAGAIN && errno != EACCES)
            failIo(QStringLiteral("zamykání záznamu"));
        return false;
    };
    uint32_t index = counts.whole;
    uint32_t newCount = counts.counted;
    while (index < counts.counted && !tryLockSlot(index))
        ++index;
    if (index >= counts.counted) {
        // No abandoned counted slot: ours comes after both the count and the records in the file.
        index = std::max(counts.counted, counts.whole);
        for (int skipped = 0; !tryLockSlot(index); ++index)
            if (++skipped > kAppendSlotAttempts)
                throw Error(
                    QStringLiteral("Do tabulky %1 právě přidává záznamy příliš mnoho programů; zkuste to znovu.")
                        .arg(displayName(m_path)));
        newCount = counts.counted + 1;
        // A whole record past the count was left by an append cut short, unless another program
        // is appending: its slot, held and not yet written, may lie before ours while the count
        // it will raise is already short by one. Without one, the record is counted with ours, so
        // that nothing written is lost.
        // (A record another program edits meanwhile looks the same; the record then waits
        // for the next append to be counted.)
        if (counts.whole > counts.counted && !locks::heldByOthers(m_fd, locks::recordLock(int(index)), off_t(index)))
            newCount += std::min(counts.whole, index) - counts.counted;
    }
    struct Unlock
    {
        int fd;
        off_t offset;
        ~Unlock() { locks::unlock(fd, offset); }
    } unlockSlot{m_fd, locks::recordLock(int(index) + 1)};
    pwriteAll(record + dbf::kEndMark, recordOffset(int(index)));
    syncData(); // the record must be on disk before the count that makes it visible
    // Our copy of the records stays usable only when ours is the next record and nobody else's
    // comes with it.
    finishWrite(prefix, newCount, inSync && index == counts.usable() && newCount == index + 1);
    return int(index);
}

void DbfFile::writeRecord(int index, const QByteArray& record)
{
    WriteLock lock(*this);
    const bool inSync = currentStamp() == m_stamp;
    m_fingerprintBeforeWrite = currentFingerprint();
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
    const Census counts = census();
    if (counts.damaged())
        failDamaged(counts); // the records the count hides were never shown to be removed
    replaceRecords({}, 0);
}

void DbfFile::replaceRecords(const QByteArray& records, int count)
{
    QByteArray header(m_header.headerLength, '\0');
    if (preadAll(m_fd, header.data(), header.size(), 0) != header.size())
        failIo(QStringLiteral("čtení hlavičky"));
    QByteArray prefix = header.left(dbf::kHeaderSize);
    dbf::writeVolatileFields(prefix, uint32_t(count), dbf::changeCounterOf(prefix) + 1, QDate::currentDate());
    header.replace(0, dbf::kHeaderSize, prefix);

    // Only the holder of exclusive use replaces the file, and we are it.
    ReplacementFile::removeLeftovers(m_path, QLatin1String(kPackPrefix));
    ReplacementFile replacement(m_path, QLatin1String(kPackPrefix));
    replacement.write(header + records + dbf::kEndMark);
    // Nobody may open the new file before we hold it exclusively as we held the old one.
    if (!locks::tryLock(replacement.descriptor(), locks::kOpenLock, locks::Kind::Exclusive))
        failIo(QStringLiteral("zamykání"));
    replacement.commit();
    ::close(m_fd);
    m_fd = replacement.releaseDescriptor();
    m_header.recordCount = uint32_t(count);
    m_stamp = currentStamp();
}

void DbfFile::countWholeRecords()
{
    WriteLock lock(*this);
    const QByteArray prefix = readPrefix();
    finishWrite(prefix, wholeRecords(), true);
}

bool DbfFile::tryLockRecord(int index)
{
    requireWritable();
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
