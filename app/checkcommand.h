// SPDX-License-Identifier: MIT
#pragma once
// The owner's check from the command line, for an owner who checks a copy of the hall's folder at
// home or every night: what 核对记录 shows, in UTF-8, one finding a line. It changes no file and
// needs no display.
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace durava::app {

// Whether the command line asks for the check (or for its help) rather than the windows.
bool AsksForCheck(const std::vector<std::string>& arguments);

// 0 when nothing is found, 1 when something is, 2 when the check could not be made. The owner's
// password, when the journal needs it, is the first line of `in`. `documents` is the Documents
// folder the program would use, for when the command line names none.
int RunCheckCommand(const std::vector<std::string>& arguments,
                    const std::filesystem::path& documents, std::istream& in, std::ostream& out,
                    std::ostream& err);

}  // namespace durava::app
