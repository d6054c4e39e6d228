// SPDX-License-Identifier: MIT
#pragma once
// Finding the month files of the History folder, and naming them in the viewer's list.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/textfunctions.h"

namespace durava::history {

inline constexpr char kMonthFilePattern[] = "*.QY.txt";

// Replaces `result` with the names of the regular files directly in `directory` that match
// `pattern` ("*" stands for any run of characters), sorted by SortTextArray, and returns
// their count. Names that no program text can name faithfully are left out, since the viewer
// could not open them again.
std::size_t FindFiles(const std::filesystem::path& directory, std::string_view pattern,
                      core::TextArray& result);
// Ascending and case-sensitive by CompareText.
void SortTextArray(core::TextArray& texts);
// The file name of a path without its last extension: 202405.QY.txt gives 202405.QY.
std::string FileTitle(std::string_view path);

}  // namespace durava::history
