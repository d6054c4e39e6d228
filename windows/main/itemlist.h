// SPDX-License-Identifier: MIT
#pragma once
// The main list: one row per item of the settings file, its state cell coloured.
#include <cstdint>

#include "lvcolor/colourmodel.h"

#include "forms/formnames.h"
#include "windows/main/globals.h"

namespace durava::windows {

inline constexpr forms::ListName kMainList = forms::main_window::kList;
inline constexpr forms::StatusBarName kStatusBar = forms::main_window::kStatusBar;

enum MainListColumn {
    kColumnId,
    kColumnName,
    kColumnState,
    kColumnStart,
    kColumnDuration,
    kColumnFee,
    kColumnUnit,
    kColumnPrice,
};

inline constexpr lvcolor::ColourRef kBlackText = 0x000000;
inline constexpr lvcolor::ColourRef kInUseBackground = 0x9DE1B3;  // light green
inline constexpr lvcolor::ColourRef kIdleBackground = 0xFFFFFF;

// Rebuilds the whole list of `main` from the settings file; a selected item stays selected.
void FillItemList(Globals& globals, ui::Form& main);

}  // namespace durava::windows
