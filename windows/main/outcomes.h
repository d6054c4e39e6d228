// SPDX-License-Identifier: MIT
#pragma once
// What the operator is told when an operation did not simply succeed, and the list shown again as
// the file now has it: the one place every window goes after calling an operation.
#include <string_view>

#include "windows/main/globals.h"

class QWidget;

namespace durava::windows {

enum class Operation { Start, Checkout, Switch, Save, Modify, Delete };

// A failure of the stores or of the journal, told in `owner`; nothing for a refusal or success.
void ReportFailure(Globals& globals, QWidget* owner, operations::Outcome outcome);
// `item` is the item the outcome speaks of. Shows a message for every outcome but Done, in
// `owner`, then refills the main list.
void ReportOutcome(Globals& globals, QWidget* owner, Operation operation,
                   operations::Outcome outcome, std::string_view item);

}  // namespace durava::windows
