// SPDX-License-Identifier: MIT
#pragma once
// The checkout window: the eleven figures of one use, and confirming it.
#include "mainwin/globals.h"

namespace durava::history {

void RegisterCheckout(mainwin::Globals& globals);

}  // namespace durava::history
