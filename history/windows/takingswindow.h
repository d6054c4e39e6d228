// SPDX-License-Identifier: MIT
#pragma once
// The takings window: a month's takings at a glance, today's and what the items in use owe now,
// with the month's records and totals exported for a spreadsheet. It only reads the files.
#include <filesystem>

#include "mainwin/globals.h"

namespace durava::history {

void RegisterTakingsWindow(mainwin::Globals& globals);
// Opens the takings window on the month file `month`.
void OpenTakingsWindow(mainwin::Globals& globals, const std::filesystem::path& month);

}  // namespace durava::history
