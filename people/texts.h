// SPDX-License-Identifier: MIT
#pragma once
// What the windows tell the operator about logins, PINs and the owner's password: in one place, in
// code page 936, as every text inside the program.
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
// Nothing typed: refused, neither counted nor journaled.
std::string NothingTypedText(Secret secret);
// What a try's journal entry adds: the wait a wrong one began, or that one made during the wait
// went unchecked; empty otherwise.
std::string TryReasonText(const TryReport& report);

// The owner-only actions as the owner's list shows them.
std::string OwnerActionCaption(OwnerAction action);

}  // namespace durava::people
