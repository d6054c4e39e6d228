#pragma once
// What the items in use would owe if all were checked out now: the takings window's outlook.
#include <cstdint>

#include "core/datetime.h"
#include "core/store/settings.h"

namespace durava::operations {

struct OwedNow {
    std::int64_t yuan = 0;
    std::int64_t items = 0;
    std::int64_t unreadable = 0;  // in use, but their start time or fee cannot be read
};
// Billed as the live list bills them, from one look at the settings file.
OwedNow OwedAt(const core::SettingsFile& settings, core::DateTime now);

}  // namespace durava::operations
