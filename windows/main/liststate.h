// SPDX-License-Identifier: MIT
#pragma once
// What the main list keeps between refresh passes; it lives with the main window.
#include <cstdint>

#include "operations/tariff.h"

namespace durava::windows {

struct ListState {
    std::uint64_t generation = 0;    // of the settings file the list was filled from
    operations::RowCharges charges;  // of the rows in use
};

}  // namespace durava::windows
