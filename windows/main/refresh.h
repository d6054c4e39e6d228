// SPDX-License-Identifier: MIT
#pragma once
// The live display of the main list: durations and fees of the items in use and the three counts
// of the status bar, about once a second.
#include "windows/main/globals.h"

namespace durava::windows {

// One pass over the list of `main`, refilled first when the settings file has changed.
void RefreshPass(Globals& globals, ui::Form& main);
// Runs a pass now and then once just after each second of the wall clock begins, on the window
// thread, for as long as `main` lives.
void StartRefreshWorker(Globals& globals, ui::Form& main);

}  // namespace durava::windows
