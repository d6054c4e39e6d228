// SPDX-License-Identifier: MIT
#pragma once
// Files of realistic size that the benchmarks share, written once per run.
#include <filesystem>
#include <string>

namespace durava::bench {

inline constexpr int kSampleItems = 1000;
// The last section, so that a search from the top of the file walks past all the others.
inline constexpr char kLastSampleItem[] = "R1000";

// A settings file of kSampleItems items in use, laid out as the program writes it.
const std::string& SampleSettingsPath();
// A month file of kSampleRecords checkout records.
inline constexpr int kSampleRecords = 100000;
const std::string& SampleMonthPath();
// A History folder of twelve sample months, 2024/01 to 2024/12: a year of 1,200,000 records.
const std::filesystem::path& SampleYearFolder();

}  // namespace durava::bench
