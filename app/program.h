// SPDX-License-Identifier: MIT
#pragma once
// Every window's operations bound into one set of handlers.
#include "mainwin/globals.h"

namespace durava::app {

void RegisterHandlers(mainwin::Globals& globals);

}  // namespace durava::app
