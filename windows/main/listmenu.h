// SPDX-License-Identifier: MIT
#pragma once
// The pop-up menu of the main list and the operation it runs itself.
#include "windows/main/globals.h"

namespace durava::windows {

// Right click: entries by the selected row's state, then the menu at the mouse.
void UpdateListMenu(ui::Form& main);
// 开始计时: the selected idle item goes into use from now.
void StartTiming(Globals& globals, ui::Form& main);

}  // namespace durava::windows
