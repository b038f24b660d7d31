// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

namespace kadmor::locks {

// Offsets of the one-byte locks a dBASE file is shared by. They lie far beyond any real file
// size, as the widespread dBASE engines place theirs, so they never hide data from a reader.
inline constexpr off_t kRecordLockBase = 0xEFFFFFFE; // record n is locked at base - n
inline constexpr off_t kHeaderLock = 0xEFFFFFFE;     // "record 0": appends, posts, header updates
inline constexpr off_t kOpenLock = 0xEFFFFFFF;       // shared by every opener, exclusive for exclusive use

inline off_t recordLock(int recordNumber)
{
    return kRecordLockBase - recordNumber;
}

enum class Kind { Shared, Exclusive };

// Open-file-description locks (fcntl F_OFD_*): owned by the descriptor, not the process.
bool tryLock(int fd, off_t offset, Kind kind);
// Waits for the lock a bounded time (the holders keep it for one short write); false on timeout.
bool waitLock(int fd, off_t offset, Kind kind);
void unlock(int fd, off_t offset);
// Whether another descriptor holds a lock on any of the length bytes from offset (F_OFD_GETLK).
bool heldByOthers(int fd, off_t offset, off_t length);

} // namespace kadmor::locks
