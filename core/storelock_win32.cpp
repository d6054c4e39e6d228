// The store lock on Win32: LockFileEx on a handle of its own, which, as the open-file-description
// locks on Linux, excludes every other handle, of this process or another.
#include <windows.h>

#include <thread>

#include "core/storelock.h"

namespace durava::core {
namespace {

constexpr std::chrono::milliseconds kRetryPause{5};

bool TryLock(HANDLE file) {
    OVERLAPPED whole{};
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                      MAXDWORD, &whole);
}

}  // namespace

StoreLock::StoreLock(const std::filesystem::path& settingsPath,
                     std::chrono::milliseconds patience) {
    const HANDLE file =
        CreateFileW(LockFilePath(settingsPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    m_handle = reinterpret_cast<std::intptr_t>(file);
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (TryLock(file)) {
            m_state = LockState::Held;
            return;
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION) return;
        if (std::chrono::steady_clock::now() >= deadline) {
            m_state = LockState::Busy;
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

// Unlocked before closing: Windows frees the lock of a closed handle only when it gets to it.
StoreLock::~StoreLock() {
    if (m_handle == -1) return;
    const auto file = reinterpret_cast<HANDLE>(m_handle);
    if (m_state == LockState::Held) {
        OVERLAPPED whole{};
        UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    }
    CloseHandle(file);
}

}  // namespace durava::core
