// SPDX-License-Identifier: MIT
#pragma once
// The live display of the main list: durations and fees of the items in use and the three counts
// of the status bar, about once a second.
#include "windows/main/globals.h"

namespace durava::windows {

// One pass over the main list, refilled first when the settings file has changed.
void RefreshPass(Globals& globals);
// Runs a pass now and then once just after each second of the wall clock begins, on the window
// thread, for as long as the main window lives.
void StartRefreshWorker(Globals& globals);

}  // namespace durava::windows
