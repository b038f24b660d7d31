// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/dbf_format.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <ctime>
#include <functional>
#include <sys/types.h>

namespace kadmor {

// One open dBASE file shared with other programs, possibly on other computers.
//
// Every change is made under an exclusive byte-range lock on the header lock byte, and every
// full read under a shared one, so that readers never see half of a write. A record is always
// on disk before the header's record count is raised, so a program killed at any moment leaves
// a table that opens with every record whose write had finished. The locks are open-file-
// description locks: they belong to this object's descriptor, so two tables of one process
// exclude each other just as two programs do.
class DbfFile
{
  public:
    enum class Access { Shared, Exclusive };

    // Opens and validates the file; an exclusive open fails while anyone else has it open,
    // a shared one while someone holds it exclusively. Throws kadmor::Error.
    DbfFile(const QString& path, Access access);
    // For tests: runs between opening the file and taking its open lock, where a pack elsewhere
    // may put a new file in place of the one just opened.
    static void setBeforeOpenLockHook(std::function<void()> hook);
    ~DbfFile();
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    const QString& path() const { return m_path; }
    const dbf::Header& header() const { return m_header; }
    int recordLength() const { return m_header.recordLength; }

    // What the header counts and how many whole records the file holds. One record more or
    // less than counted is an append cut short: ours write the record before raising the count,
    // other dBASE programs may raise it first. A greater difference is damage that no write may
    // make worse.
    struct Census
    {
        uint32_t counted = 0;
        uint32_t whole = 0;
        bool damaged() const { return whole > counted + 1 || counted > whole + 1; }
        uint32_t usable() const { return std::min(counted, whole); } // the records a table shows
    };
    Census census() const;

    // Reads the header's volatile fields and every counted record (count * record length bytes).
    // Throws kadmor::Error naming the table when its census shows damage.
    QByteArray readAllRecords();
    // The same, for a look at the file now that leaves this object as it was (unchangedSinceRead()
    // still compares with the last readAllRecords()).
    QByteArray readRecordsNow() const;
    QByteArray readRecord(int index);

    // True when nothing was written since the last readAllRecords() other than by this object
    // while it was up to date. Costs a stat and a 32-byte read.
    bool unchangedSinceRead() const;
    // True when the path now names another file (replaced by a copy or a pack elsewhere).
    bool replacedOnDisk() const;
    // Whether the last write found the file as this object last read it: when not, the
    // caller's copy of the records is stale and should be read again.
    bool lastWriteWasInSync() const { return m_lastWriteInSync; }
    // The file's fingerprint (table_fingerprint.h) now, and as the last write of this object
    // found it, under the same lock as the write: an index stamped with the latter was in step
    // with the table just before that write.
    QByteArray currentFingerprint() const;
    const QByteArray& fingerprintBeforeLastWrite() const { return m_fingerprintBeforeWrite; }

    int appendRecord(const QByteArray& record); // returns the new record's index
    void writeRecord(int index, const QByteArray& record);
    void writeDeletionFlag(int index, char flag);
    // Both write a new file and put it in place of this one atomically, keeping its owner,
    // group and mode; this object then works on the new file. They need exclusive access.
    void removeAllRecords();
    void replaceRecords(const QByteArray& records, int count);
    // Sets the header's count to the whole records in the file, the repair of a damaged census.
    // Needs exclusive access.
    void countWholeRecords();

    // The lock a dBASE program takes on a record being edited. Returns false when another
    // program holds it.
    bool tryLockRecord(int index);
    void unlockRecord(int index);

    // Runs work under the same lock as the table's own changes, so that files kept beside the
    // table (its production index) change in step with it even when several programs write.
    void withWriteLock(const std::function<void()>& work);

  private:
    struct Stamp
    {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        uint32_t recordCount = 0;
        uint32_t changeCounter = 0;
        bool operator==(const Stamp& other) const;
    };
    class WriteLock;

    void openAndLock(Access access);
    bool isFileAtPath() const;
    void requireWritable() const;
    [[noreturn]] void failDamaged(const Census& census) const;
    Stamp currentStamp() const;
    QByteArray readPrefix() const;
    void readHeader();
    uint32_t wholeRecords() const;
    QByteArray readCountedRecords(Stamp& stamp) const; // under the shared header lock
    off_t recordOffset(int index) const;
    void pwriteAll(const QByteArray& bytes, off_t offset) const;
    void syncData() const;
    // Raises the change counter (and the record count to newCount) after a write.
    void finishWrite(const QByteArray& prefixBefore, uint32_t newCount, bool wasInSync);
    [[noreturn]] void failIo(const QString& action) const;

    QString m_path;
    int m_fd = -1;
    int m_readOnlyReason = 0; // the error that kept the file from opening for writing
    dbf::Header m_header;
    Stamp m_stamp;
    bool m_lastWriteInSync = true;
    QByteArray m_fingerprintBeforeWrite;
};

} // namespace kadmor
