// SPDX-License-Identifier: MIT
#pragma once
// What the main list keeps between refresh passes; it lives with the main window.
#include <cstdint>

#include "billing/rowcharges.h"

namespace durava::mainwin {

struct ListState {
    std::uint64_t generation = 0;  // of the settings file the list was filled from
    billing::RowCharges charges;   // of the rows in use
};

}  // namespace durava::mainwin
