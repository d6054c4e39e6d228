// SPDX-License-Identifier: MIT
#pragma once
// The eleven figures of a checkout, computed from the settings file and one reading of the clock.
// The checkout window shows them and the history record is built from them, never from the screen.
#include <array>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "history/historyfile.h"
#include "store/settings/settings.h"

namespace durava::operations {

struct Bill {
    core::DateTime end = 0;  // the clock reading the bill was computed at
    std::array<std::string, history::kRecordFields> fields;

    const std::string& Item() const { return fields[history::kFieldName]; }
    // The start time as stored: with the item, what names the use.
    const std::string& Start() const { return fields[history::kFieldStart]; }
    const std::string& Total() const { return fields[history::kFieldTotal]; }
    // The history record: the fields joined by "@".
    std::string Record() const;
};

Bill ComputeBill(const store::SettingsFile& settings, std::string_view item, core::DateTime now);

}  // namespace durava::operations
