// SPDX-License-Identifier: MIT
#pragma once
// What the items in use would owe if all were checked out now: the takings window's outlook.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "store/settings/settings.h"

namespace durava::operations {

struct OwedUse {
    std::string item;
    std::string start;
    std::optional<std::int64_t> yuan;       // nothing when it cannot be billed
    std::optional<std::int32_t> seconds{};  // used so far; nothing when its start cannot be read
};

struct OwedNow {
    std::int64_t yuan = 0;
    std::int64_t items = 0;
    std::int64_t unreadable = 0;  // in use, but their start time or fee cannot be read
    std::vector<OwedUse> uses;    // in the order of the settings file
};
// Billed as the live list bills them, from one look at the settings file.
OwedNow OwedAt(const store::SettingsFile& settings, core::DateTime now);

}  // namespace durava::operations
