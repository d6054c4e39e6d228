// SPDX-License-Identifier: MIT
#pragma once
// The checkout window: the eleven figures of one use, and confirming it.
#include <string>

#include "windows/main/globals.h"

namespace durava::windows {

// The checkout window, owned by `main`, on the use of `item`; 结束记账 opens it for the selected
// row's item.
void OpenCheckoutWindow(windows::Globals& globals, ui::Form& main, std::string item);
void RegisterCheckout(windows::Globals& globals);

}  // namespace durava::windows
