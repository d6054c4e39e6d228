// SPDX-License-Identifier: MIT
#pragma once
// What the main list keeps between refresh passes; it lives with the main window.
#include <cstdint>
#include <string>
#include <vector>

#include "operations/tariff.h"

namespace durava::windows {

struct ListState {
    std::uint64_t generation = 0;        // of the settings file the list was filled from
    operations::RowCharges charges;      // of the rows in use
    std::vector<std::string> itemNames;  // as the list was last filled, kept to reuse its room
};

}  // namespace durava::windows
