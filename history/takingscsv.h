// SPDX-License-Identifier: MIT
#pragma once
// A month's records and its totals as CSV for a spreadsheet: UTF-8 with a byte-order mark,
// fields quoted as RFC 4180 asks, one header row, CR LF line ends, amounts as plain numbers.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "history/historyfile.h"
#include "history/takings.h"

namespace durava::history {

// One row per record in file order; a record that cannot be read says why in the column after its
// fields. A line that is not eleven fields goes whole into the last column, its other cells
// empty, so that no text lands under a header it does not belong to.
// `takings` are the sums of `months` in their order; with `days`, only the records that ended on
// those days are listed, beside the unreadable ones.
struct DaySpan {
    core::CalendarTime first, last;
};
std::string RecordsCsv(std::span<const HistoryMonth> months, const MonthTakings& takings,
                       const std::optional<DaySpan>& days = {});
// The takings of someone who took them: an operator on duty.
struct NamedTakings {
    std::string name;
    std::int64_t uses = 0, yuan = 0;
};
// One row per day (or month), then the total; then, when there are any, a row per operator.
std::string TotalsCsv(const MonthTakings& takings, std::span<const NamedTakings> operators = {});

}  // namespace durava::history
