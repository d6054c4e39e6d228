// SPDX-License-Identifier: MIT
#pragma once
// The item management operations bound to their window events.
#include "mainwin/globals.h"

namespace durava::items {

void RegisterItemManagement(mainwin::Globals& globals);

}  // namespace durava::items
