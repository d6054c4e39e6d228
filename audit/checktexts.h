// SPDX-License-Identifier: MIT
#pragma once
// The journal and its check in the owner's words: short sentences, program texts (code page 936)
// that the windows show and the slips print.
#include <string>
#include <vector>

#include "audit/check.h"

namespace durava::audit {

std::string FindingText(const Finding& finding);
// What was checked, how, and whether anything was found.
std::vector<std::string> SummaryLines(const CheckReport& report);

}  // namespace durava::audit
