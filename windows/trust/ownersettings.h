// SPDX-License-Identifier: MIT
#pragma once
// The owner's settings: the password, the operators and what asks for the password. Reached from
// the takings window, which is ours, so that the described windows gain nothing.
#include "windows/main/globals.h"

namespace durava::windows {

// `startOver`: the old password is forgotten and a new one begins a new journal chain. True when
// a password was set in the window.
bool OpenOwnerSettings(Globals& globals, bool startOver);

void RegisterOwnerSettings(Globals& globals);

}  // namespace durava::windows
