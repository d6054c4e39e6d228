// SPDX-License-Identifier: MIT
#pragma once
// The main window's operations, bound to its events.
#include "windows/main/globals.h"

namespace durava::windows {

void RegisterMainWindow(Globals& globals);
// Every operation journals from the program's start; with an owner password, one the journal
// cannot hold is refused. Opened once, before any login, and journals the start.
void OpenJournal(Globals& globals);
// Who is on duty, in the status bar, and 交班 while someone is.
void ShowOnDuty(Globals& globals);

}  // namespace durava::windows
