// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/byte_lock.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <thread>

namespace kadmor::locks {

namespace {

constexpr auto kLockPatience = std::chrono::seconds(15);

bool setLock(int fd, off_t offset, short type)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = 1;
    int result;
    do
        result = fcntl(fd, F_OFD_SETLK, &lock);
    while (result == -1 && errno == EINTR);
    return result == 0;
}

} // namespace

bool tryLock(int fd, off_t offset, Kind kind)
{
    return setLock(fd, offset, kind == Kind::Exclusive ? F_WRLCK : F_RDLCK);
}

bool waitLock(int fd, off_t offset, Kind kind)
{
    // Polling instead of F_OFD_SETLKW: a program that hangs while holding the lock must not
    // freeze every other computer for ever.
    const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
    auto pause = std::chrono::microseconds(200);
    while (!tryLock(fd, offset, kind)) {
        if (errno != EAGAIN && errno != EACCES)
            return false;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
    return true;
}

bool heldByOthers(int fd, off_t offset, off_t length)
{
    if (length <= 0)
        return false;
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = length;
    int result;
    do
        result = fcntl(fd, F_OFD_GETLK, &lock);
    while (result == -1 && errno == EINTR);
    return result != 0 || lock.l_type != F_UNLCK; // in doubt, someone does
}

void unlock(int fd, off_t offset)
{
    setLock(fd, offset, F_UNLCK);
}

} // namespace kadmor::locks
