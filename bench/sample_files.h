// SPDX-License-Identifier: MIT
#pragma once
// Files of realistic size that the benchmarks share, written once per run.
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

}  // namespace durava::bench
