// SPDX-License-Identifier: MIT
#pragma once
// Every window's operations bound into one set of handlers.
#include "windows/main/globals.h"

namespace durava::app {

void RegisterHandlers(windows::Globals& globals);

}  // namespace durava::app
