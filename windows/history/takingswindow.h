// SPDX-License-Identifier: MIT
#pragma once
// The takings window: a month's takings at a glance, today's and what the items in use owe now,
// with the month's records and totals exported for a spreadsheet. It only reads the files.
#include "history/monthfiles.h"
#include "windows/main/globals.h"

namespace durava::windows {

void RegisterTakingsWindow(windows::Globals& globals);
// Opens the takings window on the month file `file`.
void OpenTakingsWindow(windows::Globals& globals, const history::MonthFile& file);

}  // namespace durava::windows
