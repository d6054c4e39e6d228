// SPDX-License-Identifier: MIT
#pragma once
// The owner's and the operators' windows: login, the owner's password, the owner's settings and
// the check.
#include "windows/main/globals.h"

namespace durava::windows {

void RegisterOwnerWindows(Globals& globals);

}  // namespace durava::windows
