// SPDX-License-Identifier: MIT
#pragma once
// The day-end slip (日结单) an owner prints before closing: the day's takings, uses and hours per
// item and in total, then the uses still running with what they owe at printing time, and last the
// journal's head, which names the slip's moment in the journal.
#include <optional>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "history/takings.h"
#include "journal/entry.h"
#include "operations/owed.h"

namespace durava::operations {

std::vector<std::string> DaySlipLines(const core::CalendarTime& day,
                                      const history::MonthTakings& takings, const OwedNow& owed,
                                      core::DateTime printedAt,
                                      const std::optional<journal::ChainHead>& head);

// Every slip ends on the journal's head, so that the owner can later hold the slip against the
// journal; nothing is added when the journal has no head.
void AppendJournalHead(std::vector<std::string>& lines,
                       const std::optional<journal::ChainHead>& head);

// The uses still running, each with what it owes, and their sum: how the slips end.
void AppendStillRunning(std::vector<std::string>& lines, const OwedNow& owed);

}  // namespace durava::operations
