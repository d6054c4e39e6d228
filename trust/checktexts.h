// SPDX-License-Identifier: MIT
#pragma once
// The journal and its check in the owner's words: short sentences, program texts (code page 936)
// that the windows show and the slips print.
#include <string>
#include <vector>

#include "trust/check.h"
#include "trust/journalfiles.h"

namespace durava::trust {

std::string FindingText(const Finding& finding);
// What was checked, how, and whether anything was found.
std::vector<std::string> SummaryLines(const CheckReport& report);
// "日志 1234 条 3f2a9c01": the chain's head as a slip prints it.
std::string HeadText(const ChainHead& head);
// Why an action waits on the journal, naming the file.
std::string ProblemText(const JournalProblem& problem);

}  // namespace durava::trust
