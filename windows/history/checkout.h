// SPDX-License-Identifier: MIT
#pragma once
// The checkout window: the eleven figures of one use, and confirming it.
#include "windows/main/globals.h"

namespace durava::windows {

void RegisterCheckout(windows::Globals& globals);

}  // namespace durava::windows
