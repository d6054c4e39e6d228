// SPDX-License-Identifier: MIT
#pragma once
// What the windows tell the operator about logins, PINs, the owner's password and our files: in
// one place, in code page 936, as every text inside the program.
#include <string>
#include <string_view>

#include "people/lockout.h"
#include "people/operators.h"
#include "people/owner.h"

namespace durava::people {

std::string PinFaultText(PinFault fault);
std::string PasswordFaultText(PasswordFault fault);
// `typed` is the refused name as the screen holds it.
std::string NameRefusalText(const NameRefusal& refusal, std::u16string_view typed);

enum class Secret { Pin, OwnerPassword };
// A wrong try, or one refused during the wait; empty for a right one.
std::string TryText(const TryReport& report, Secret secret);

// Why a protected action did not happen, naming the file.
std::string FileTroubleText(const journal::FileTrouble& trouble);

// The owner-only actions as the owner's list shows them.
std::string OwnerActionCaption(OwnerAction action);

}  // namespace durava::people
