// SPDX-License-Identifier: MIT
#pragma once
// The main window's operations, bound to its events.
#include "mainwin/globals.h"

namespace durava::mainwin {

void RegisterMainWindow(Globals& globals);

}  // namespace durava::mainwin
