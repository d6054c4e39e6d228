// SPDX-License-Identifier: MIT
#pragma once
// The journal and the Durava folder's files in the owner's words: program texts (code page 936)
// that the windows show and the slips print.
#include <string>

#include "journal/entry.h"
#include "journal/files/filetrouble.h"

namespace durava::journal {

// "日志 1234 条 3f2a9c01": the chain's head as a slip prints it.
std::string HeadText(const ChainHead& head);
// What is wrong with a file in that state: "不存在", "已损坏"...
std::string WhyText(FileState state);
// Why an action waits on the journal, naming the file.
std::string ProblemText(const FileTrouble& trouble);
// Why a protected action did not happen, naming the file.
std::string FileTroubleText(const FileTrouble& trouble);

}  // namespace durava::journal
