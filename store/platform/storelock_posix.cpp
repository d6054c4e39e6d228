// SPDX-License-Identifier: MIT
// The store lock on Linux: an open-file-description lock, which belongs to its descriptor alone,
// so two stores of one process exclude each other as two processes do, and closing another
// descriptor of the file keeps it.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "store/platform/storelock_platform.h"

namespace durava::store::storelock {

std::intptr_t OpenLockFile(const std::filesystem::path& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    return fd < 0 ? kNoFile : fd;
}

Attempt TryLock(std::intptr_t file) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    int result;
    do {
        result = ::fcntl(static_cast<int>(file), F_OFD_SETLK, &whole);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return Attempt::Locked;
    return errno == EAGAIN || errno == EACCES ? Attempt::HeldElsewhere : Attempt::Failed;
}

// Closing the descriptor releases the lock.
void Release(std::intptr_t file, bool) {
    ::close(static_cast<int>(file));
}

}  // namespace durava::store::storelock
