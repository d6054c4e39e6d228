// SPDX-License-Identifier: MIT
#pragma once
// 切换项目: moves a running use to an idle item; the two items exchange their tariffs, so the
// customer keeps the start time and the tariff where the use began.
#include "windows/main/globals.h"

namespace durava::windows {

void OpenSwitchWindow(windows::Globals& globals);
void ListIdleItems(windows::Globals& globals, ui::Form& window);
void EnableSwitchButton(ui::Form& window);
void ConfirmSwitch(windows::Globals& globals, ui::Form& window);

}  // namespace durava::windows
