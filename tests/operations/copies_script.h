// SPDX-License-Identifier: MIT
#pragma once
// What two copies of the program do at once in the copies test, shared by the test and the copy it
// starts: items both copies work on, items only one copy changes, and each copy's clock.
#include <filesystem>
#include <string>
#include <vector>

#include "core/datetime.h"

namespace durava::copies_script {

// Both copies start, check out and switch uses of these.
inline const std::vector<std::string>& SharedItems() {
    static const std::vector<std::string> items{"S1", "S2", "S3", "S4"};
    return items;
}
// Saved and deleted by copy `copy` alone, so the last write it was told of must be what stays.
inline std::vector<std::string> OwnItems(int copy) {
    const std::string prefix = "P" + std::to_string(copy) + "-";
    return {prefix + "1", prefix + "2"};
}

// Copy 0 takes even seconds, copy 1 odd ones, both rising step by step from five minutes before a
// month's end: no two uses share a start time, so a start time names its use.
inline core::DateTime ClockOf(int copy, int step) {
    return core::ToDateTime({2024, 5, 31, 23, 55, 0}) + (2.0 * step + copy) / 86400.0;
}

}  // namespace durava::copies_script
