// SPDX-License-Identifier: MIT
#pragma once
// Every window's operations bound into one set of handlers.
#include "windows/main/globals.h"

namespace durava::app {

void RegisterHandlers(windows::Globals& globals);
// The journal opened and, while operators take turns, someone logged in; false when the desk
// stays shut.
bool OpenDesk(windows::Globals& globals);

}  // namespace durava::app
