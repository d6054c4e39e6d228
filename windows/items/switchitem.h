// SPDX-License-Identifier: MIT
#pragma once
// 切换项目: moves a running use to an idle item; the two items exchange their tariffs, so the
// customer keeps the start time and the tariff where the use began.
#include <string>

#include "windows/main/globals.h"

namespace durava::windows {

// For the selected row's item.
void OpenSwitchWindow(windows::Globals& globals, ui::Form& main);
void OpenSwitchWindowFrom(windows::Globals& globals, ui::Form& main, std::string item);
void ListIdleItems(windows::Globals& globals, ui::Form& window);
void EnableSwitchButton(ui::Form& window);
void ConfirmSwitch(windows::Globals& globals, ui::Form& window);

}  // namespace durava::windows
