// SPDX-License-Identifier: MIT
#pragma once
// The item management operations bound to their window events.
#include "windows/main/globals.h"

namespace durava::windows {

void RegisterItemManagement(windows::Globals& globals);

}  // namespace durava::windows
