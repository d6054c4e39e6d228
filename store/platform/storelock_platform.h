// SPDX-License-Identifier: MIT
#pragma once
// What the store lock asks of each platform: the lock file opened, one try at its lock, and the
// file given back.
#include <cstdint>
#include <filesystem>

namespace durava::store::storelock {

inline constexpr std::intptr_t kNoFile = -1;

enum class Attempt { Locked, HeldElsewhere, Failed };

// The lock file, created when missing; kNoFile, with errno telling why, when it cannot be opened.
std::intptr_t OpenLockFile(const std::filesystem::path& path);
// Never waits.
Attempt TryLock(std::intptr_t file);
// Unlocks, if `locked`, and closes.
void Release(std::intptr_t file, bool locked);

}  // namespace durava::store::storelock
