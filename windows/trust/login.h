// SPDX-License-Identifier: MIT
#pragma once
// The login that opens the desk while operators take turns at it, and opens it again after each
// shift close: an operator and their PIN.
#include "windows/main/globals.h"

namespace durava::windows {

// True when an operator logged in, or when nobody needs to; false when the login was closed, or
// when the owner's or operators' file cannot be trusted (told, naming the file): the desk stays
// shut. With only the operators' file in trouble, the owner's password opens the owner's settings
// first, to make it again.
bool LogIn(Globals& globals);
// With nobody on duty: when the desk has operators now, it is theirs at once, and the login opens;
// nobody logging in closes the desk, as at the start.
void HandOver(Globals& globals);

void RegisterLogin(Globals& globals);

}  // namespace durava::windows
