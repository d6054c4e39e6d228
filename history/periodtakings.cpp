// SPDX-License-Identifier: MIT
#include "history/periodtakings.h"

#include <system_error>

#include "history/monthfiles.h"
#include "store/files/fileio.h"

namespace durava::history {
namespace {

core::CalendarTime MonthBefore(const core::CalendarTime& day) {
    return day.month == 1 ? core::CalendarTime{day.year - 1, 12, 0}
                          : core::CalendarTime{day.year, day.month - 1, 0};
}

core::CalendarTime MonthAfter(const core::CalendarTime& month) {
    return month.month == 12 ? core::CalendarTime{month.year + 1, 1, 0}
                             : core::CalendarTime{month.year, month.month + 1, 0};
}

bool SameMonth(const core::CalendarTime& a, const core::CalendarTime& b) {
    return a.year == b.year && a.month == b.month;
}

}  // namespace

std::vector<PeriodFile> PeriodFiles(const core::CalendarTime& first,
                                    const core::CalendarTime& last) {
    std::vector<PeriodFile> files;
    const core::CalendarTime before = MonthBefore(first);
    for (core::CalendarTime month = before;; month = MonthAfter(month)) {
        files.push_back({month, FileState::Read, !SameMonth(month, before)});
        if (SameMonth(month, last)) break;
    }
    return files;
}

HistoryMonth ReadPeriodFile(const std::filesystem::path& historyFolder, PeriodFile& file) {
    const std::filesystem::path path = MonthFile::Of(file.month).Path(historyFolder);
    std::optional<std::string> bytes = store::ReadWholeFile(path);
    if (bytes) return HistoryMonth(std::move(*bytes));
    std::error_code error;
    file.state = std::filesystem::exists(std::filesystem::symlink_status(path, error))
                     ? FileState::Unreadable
                     : FileState::Missing;
    return HistoryMonth();
}

std::optional<PeriodTakings> ComputePeriod(
    const std::filesystem::path& historyFolder, const core::CalendarTime& first,
    const core::CalendarTime& last,
    const std::function<bool(std::size_t done, std::size_t all)>& goOn, PeriodRecords records) {
    PeriodTakings period;
    period.files = PeriodFiles(first, last);
    TakingsAdder adder;
    adder.ListDays({first.year, first.month, first.day}, {last.year, last.month, last.day}, true);
    for (std::size_t file = 0; file < period.files.size(); ++file) {
        PeriodFile& read = period.files[file];
        HistoryMonth month = ReadPeriodFile(historyFolder, read);
        adder.Add(month, file, read.inSpan);
        if (records == PeriodRecords::Kept) period.months.push_back(std::move(month));
        if (goOn && !goOn(file + 1, period.files.size())) return std::nullopt;
    }
    period.takings = adder.Finish();
    return period;
}

std::vector<DayTakings> MonthsOf(const std::vector<DayTakings>& days) {
    std::vector<DayTakings> months;
    for (const DayTakings& day : days) {
        if (months.empty() || !SameMonth(months.back().date, day.date)) {
            months.push_back({{day.date.year, day.date.month, 0}, {}});
        }
        Takings& sum = months.back().takings;
        sum.yuan += day.takings.yuan;
        sum.uses += day.takings.uses;
        sum.seconds += day.takings.seconds;
    }
    return months;
}

}  // namespace durava::history
