// SPDX-License-Identifier: MIT
#pragma once
// The main window's operations, bound to its events.
#include "windows/main/globals.h"

namespace durava::windows {

void RegisterMainWindow(Globals& globals);

}  // namespace durava::windows
