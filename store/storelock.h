// SPDX-License-Identifier: MIT
#pragma once
// One exclusive lock that every copy of the program takes around each read-check-write of the
// stores, on one machine or on several sharing the folder: a lock file beside the settings file
// that writes replace, wherever links lead, so that every path to one file takes one lock.
// Held only while an operation runs, never while a window waits for the operator.
#include <chrono>
#include <cstdint>
#include <filesystem>

namespace durava::store {

inline constexpr std::chrono::milliseconds kLockPatience{3000};

enum class LockState {
    Held,
    Busy,         // another copy held it for longer than the patience allowed
    ReadOnly,     // the folder takes no lock file, so nothing in it can be written either
    Unavailable,  // the lock file cannot be opened or locked at all
};

class StoreLock {
  public:
    // Tries until `patience` has passed; a patience of zero tries once.
    explicit StoreLock(const std::filesystem::path& settingsPath,
                       std::chrono::milliseconds patience = kLockPatience);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    LockState State() const { return m_state; }
    bool Held() const { return m_state == LockState::Held; }

  private:
    std::intptr_t m_handle = -1;
    LockState m_state = LockState::Unavailable;
};

}  // namespace durava::store
