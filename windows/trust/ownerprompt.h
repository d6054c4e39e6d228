// SPDX-License-Identifier: MIT
#pragma once
// The owner's password, asked when an action the owner keeps to themselves is taken: there is no
// owner's login. With no password set nothing is asked, as before the owner wanted any of it.
#include <string>
#include <string_view>

#include "people/owner.h"
#include "windows/main/globals.h"

namespace durava::windows {

struct OwnerAnswer {
    bool allowed = false;
    std::u16string password;  // as typed; empty when none was asked
};

// Before an action the owner may keep to themselves; asks only when the owner asks it. An owner's
// file that cannot be trusted refuses, with a message that names it.
bool OwnerAllows(Globals& globals, people::OwnerAction action);
// Before the owner's own windows (the settings, the check): asks whenever a password is set.
// `asking` names what the password opens; the settings open even when the operators file is in
// trouble, for the owner to make a new one.
OwnerAnswer AskOwnerPassword(Globals& globals, std::string_view asking, bool opensSettings = false);

void RegisterOwnerPrompt(Globals& globals);

}  // namespace durava::windows
