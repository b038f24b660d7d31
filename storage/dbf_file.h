// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/dbf_format.h"

#include <QByteArray>
#include <QString>

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
    ~DbfFile();
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    const QString& path() const { return m_path; }
    const dbf::Header& header() const { return m_header; }
    int recordLength() const { return m_header.recordLength; }

    // Reads the header's volatile fields and every counted record (count * record length bytes).
    QByteArray readAllRecords();
    QByteArray readRecord(int index);

    // True when nothing was written since the last readAllRecords() other than by this object
    // while it was up to date. Costs a stat and a 32-byte read.
    bool unchangedSinceRead() const;
    // True when the path now names another file (replaced by a copy or a pack elsewhere).
    bool replacedOnDisk() const;
    // Whether the last write found the file as this object last read it: when not, the
    // caller's copy of the records is stale and should be read again.
    bool lastWriteWasInSync() const { return m_lastWriteInSync; }

    int appendRecord(const QByteArray& record); // returns the new record's index
    void writeRecord(int index, const QByteArray& record);
    void writeDeletionFlag(int index, char flag);
    void removeAllRecords();
    // Writes the given records into a new file and puts it in place of this one atomically;
    // this object then works on the new file. Needs exclusive access.
    void replaceRecords(const QByteArray& records, int count);

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

    Stamp currentStamp() const;
    QByteArray readPrefix() const;
    void readHeader();
    uint32_t wholeRecordsIn(uint32_t headerCount) const;
    off_t recordOffset(int index) const;
    void pwriteAll(const QByteArray& bytes, off_t offset) const;
    void syncData() const;
    // Raises the change counter (and the record count to newCount) after a write.
    void finishWrite(const QByteArray& prefixBefore, uint32_t newCount, bool wasInSync);
    void removeLeftoverCopies() const;
    [[noreturn]] void failIo(const QString& action) const;

    QString m_path;
    int m_fd = -1;
    dbf::Header m_header;
    Stamp m_stamp;
    bool m_lastWriteInSync = true;
};

} // namespace kadmor
