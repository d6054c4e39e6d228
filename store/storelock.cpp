// SPDX-License-Identifier: MIT
#include "store/storelock.h"

#include <cerrno>
#include <thread>

#include "store/files/fileio.h"
#include "store/platform/storelock_platform.h"

namespace durava::store {
namespace {

constexpr std::chrono::milliseconds kRetryPause{5};

// The lock file holds nothing, so its making is never flushed: a power cut that loses it loses
// no data, and the next lock makes it again.
std::filesystem::path LockFilePath(const std::filesystem::path& settingsPath) {
    std::filesystem::path lock = FollowLinks(settingsPath);
    lock += ".lock";
    return lock;
}

}  // namespace

StoreLock::StoreLock(const std::filesystem::path& settingsPath,
                     std::chrono::milliseconds patience) {
    m_handle = storelock::OpenLockFile(LockFilePath(settingsPath));
    if (m_handle == storelock::kNoFile) {
        if (RefusesWrites(errno)) m_state = LockState::ReadOnly;
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        switch (storelock::TryLock(m_handle)) {
            case storelock::Attempt::Locked:
                m_state = LockState::Held;
                return;
            case storelock::Attempt::Failed:
                return;
            case storelock::Attempt::HeldElsewhere:
                break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            m_state = LockState::Busy;
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

StoreLock::~StoreLock() {
    if (m_handle != storelock::kNoFile) storelock::Release(m_handle, Held());
}

}  // namespace durava::store
