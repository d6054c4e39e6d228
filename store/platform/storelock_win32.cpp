// SPDX-License-Identifier: MIT
// The store lock on Win32: LockFileEx on a handle of its own, which, as the open-file-description
// locks on Linux, excludes every other handle, of this process or another.
#include <windows.h>

#include <cerrno>

#include "store/platform/storelock_platform.h"

namespace durava::store::storelock {

std::intptr_t OpenLockFile(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return reinterpret_cast<std::intptr_t>(file);
    const DWORD error = GetLastError();
    errno = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ? EACCES : EIO;
    return kNoFile;
}

Attempt TryLock(std::intptr_t file) {
    OVERLAPPED whole{};
    if (LockFileEx(reinterpret_cast<HANDLE>(file),
                   LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                   &whole)) {
        return Attempt::Locked;
    }
    return GetLastError() == ERROR_LOCK_VIOLATION ? Attempt::HeldElsewhere : Attempt::Failed;
}

// Unlocked before closing: Windows frees the lock of a closed handle only when it gets to it.
void Release(std::intptr_t file, bool locked) {
    const auto handle = reinterpret_cast<HANDLE>(file);
    if (locked) {
        OVERLAPPED whole{};
        UnlockFileEx(handle, 0, MAXDWORD, MAXDWORD, &whole);
    }
    CloseHandle(handle);
}

}  // namespace durava::store::storelock
