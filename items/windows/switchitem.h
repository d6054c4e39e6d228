// SPDX-License-Identifier: MIT
#pragma once
// 切换项目: moves a running use to an idle item; the two items exchange their tariffs, so the
// customer keeps the start time and the tariff where the use began.
#include "mainwin/globals.h"

namespace durava::items {

void OpenSwitchWindow(mainwin::Globals& globals);
void ListIdleItems(mainwin::Globals& globals, ui::Form& window);
void EnableSwitchButton(ui::Form& window);
void ConfirmSwitch(mainwin::Globals& globals, ui::Form& window);

}  // namespace durava::items
