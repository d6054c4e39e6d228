// SPDX-License-Identifier: MIT
#pragma once
// The owner's check (核对记录) of the days a takings view shows: what was checked, every finding
// in the owner's words, and what each operator took and changed.
#include <string>

#include "core/datetime.h"
#include "windows/main/globals.h"

namespace durava::ui {
class Form;
}

namespace durava::windows {

// After the owner's password when one is set; the check runs off the window thread of `from`.
// `title` names the days as the takings window does.
void OpenCheck(Globals& globals, ui::Form& from, core::CalendarTime first, core::CalendarTime last,
               std::string title);

void RegisterCheckWindow(Globals& globals);

}  // namespace durava::windows
