// SPDX-License-Identifier: MIT
#pragma once
// What the main list keeps between refresh passes; it lives with the main window.
#include <cstdint>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "operations/tariff.h"

namespace durava::ui {
class StatusBar;
}

namespace durava::windows {

struct ListState {
    std::uint64_t generation = 0;        // of the settings file the list was filled from
    operations::RowCharges charges;      // of the rows in use
    std::vector<std::string> itemNames;  // as the list was last filled, kept to reuse its room
    core::DateTime lastPass = 0;         // the clock at the last pass, to see it set back
    // Found once, when the window opens: a pass writes its counts without a look-up by name.
    ui::StatusBar* statusBar = nullptr;
};

}  // namespace durava::windows
