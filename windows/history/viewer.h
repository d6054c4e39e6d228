// SPDX-License-Identifier: MIT
#pragma once
// The history window: the month files of the History folder, and one month as a table.
#include "windows/main/globals.h"

namespace durava::windows {

void RegisterHistoryViewer(windows::Globals& globals);

}  // namespace durava::windows
