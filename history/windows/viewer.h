// SPDX-License-Identifier: MIT
#pragma once
// The history window: the month files of the History folder, and one month as a table.
#include "mainwin/globals.h"

namespace durava::history {

void RegisterHistoryViewer(mainwin::Globals& globals);

}  // namespace durava::history
