#include "core/storelock.h"

#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace durava::core {
namespace {

constexpr std::chrono::milliseconds kRetryPause{5};

// Open-file-description locks belong to this descriptor alone, so two stores of one process
// exclude each other as two processes do, and closing another descriptor of the file keeps it.
bool TryLock(int fd) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    int result;
    do {
        result = ::fcntl(fd, F_OFD_SETLK, &whole);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

}  // namespace

StoreLock::StoreLock(const std::filesystem::path& settingsPath,
                     std::chrono::milliseconds patience) {
    const std::string path = LockFilePath(settingsPath).string();
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return;
    m_handle = fd;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (TryLock(fd)) {
            m_state = LockState::Held;
            return;
        }
        if (errno != EAGAIN && errno != EACCES) return;
        if (std::chrono::steady_clock::now() >= deadline) {
            m_state = LockState::Busy;
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

// Closing the descriptor releases the lock.
StoreLock::~StoreLock() {
    if (m_handle >= 0) ::close(static_cast<int>(m_handle));
}

}  // namespace durava::core
