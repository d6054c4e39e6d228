// SPDX-License-Identifier: MIT
#pragma once
// The shift close (交班): the operator on duty counts the till against what the journal says their
// shift brought, closes the shift with its slip printed for the next shift, and leaves the desk to
// the next login.
#include "windows/main/globals.h"

namespace durava::windows {

void RegisterShiftClose(Globals& globals);

}  // namespace durava::windows
