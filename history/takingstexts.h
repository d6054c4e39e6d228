// SPDX-License-Identifier: MIT
#pragma once
// The takings in the owner's words. The takings window, its CSV exports and the printed day slip
// say them alike, and the exports and the slip are written without Qt, so they are kept here.
#include <cstdint>
#include <string>

#include "core/datetime.h"
#include "history/historyfile.h"

namespace durava::history {

// "yyyy/MM/dd", as the takings window and its exports name a day; "yyyy/MM" for a whole month,
// whose day is 0.
std::string DayText(const core::CalendarTime& day);
// "5,000,020,720 元": money as the windows, the chart and the slips show it.
std::string YuanText(std::int64_t yuan);
// "16 时 33 分".
std::string HoursText(std::int64_t seconds);
// Why a record cannot be read.
const std::string& ReasonText(Unreadable reason);

}  // namespace durava::history
