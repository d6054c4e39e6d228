// SPDX-License-Identifier: MIT
#pragma once
// The takings of any span of days, a week or a year: each record counts on the day it ended,
// whichever month file holds it.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "core/datetime.h"
#include "history/historyfile.h"
#include "history/takings.h"

namespace durava::history {

enum class FileState { Read, Missing, Unreadable };

// One of the month files a span reads; MonthFile::Of(month) names it.
struct PeriodFile {
    core::CalendarTime month;  // its day is 0
    FileState state;
    // False for last month's file, read only for the checkouts it may hold of the first days.
    bool inSpan;
};

struct PeriodTakings {
    MonthTakings takings;              // every day of the span listed
    std::vector<PeriodFile> files;     // in month order; an unreadable record's `file` is its place
    std::vector<HistoryMonth> months;  // beside `files`, when kept
};

// The month files that may hold records of the days from `first` to `last`: a copy started last
// month keeps its checkouts in last month's file, so the month before `first` comes first. Their
// states are Read until they are read.
std::vector<PeriodFile> PeriodFiles(const core::CalendarTime& first,
                                    const core::CalendarTime& last);
// The file's records; its state tells a missing or unreadable file, which gives none.
HistoryMonth ReadPeriodFile(const std::filesystem::path& historyFolder, PeriodFile& file);

// Whether the records are kept beside their sums, for an export of them; a year's are hundreds
// of megabytes that a view of its sums has no need of.
enum class PeriodRecords { Dropped, Kept };

// The files of PeriodFiles are read in turn. `goOn` hears after each file how many of how many are
// read; false stops the reading and gives nothing.
std::optional<PeriodTakings> ComputePeriod(
    const std::filesystem::path& historyFolder, const core::CalendarTime& first,
    const core::CalendarTime& last,
    const std::function<bool(std::size_t done, std::size_t all)>& goOn = {},
    PeriodRecords records = PeriodRecords::Dropped);

// The days summed per month, each month with day 0.
std::vector<DayTakings> MonthsOf(const std::vector<DayTakings>& days);

}  // namespace durava::history
