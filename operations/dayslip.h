// SPDX-License-Identifier: MIT
#pragma once
// The day-end slip (日结单) an owner prints before closing: the day's takings, uses and hours per
// item and in total, then the uses still running with what they owe at printing time.
#include <string>
#include <vector>

#include "core/datetime.h"
#include "history/takings.h"
#include "operations/owed.h"

namespace durava::operations {

std::vector<std::string> DaySlipLines(const core::CalendarTime& day,
                                      const history::MonthTakings& takings, const OwedNow& owed,
                                      core::DateTime printedAt);

// The uses still running, each with what it owes, and their sum: how the slips end.
void AppendStillRunning(std::vector<std::string>& lines, const OwedNow& owed);

}  // namespace durava::operations
