// SPDX-License-Identifier: MIT
#pragma once
// The owner's check, its last step: the month files that may hold records of the days checked,
// record by record, against the checkouts the journal noted: records changed, deleted, moved or
// never journaled, and the lines a kill left of records.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "audit/check.h"
#include "audit/check/chainwalk.h"
#include "audit/check/entrynotes.h"
#include "core/datetime.h"

namespace durava::audit {

struct RecordCounts {
    std::uint64_t checked = 0;
    std::uint64_t beforeJournal = 0;  // ended before the journal began: not looked for
};

// The findings go to `findings`, the files' first, then the checkouts', then the records'; a
// record of a gap in `walked` is counted on the gap's finding.
RecordCounts CompareRecords(const std::filesystem::path& historyFolder,
                            const core::CalendarTime& first, const core::CalendarTime& last,
                            const WalkedChains& walked, NotedCheckouts noted,
                            std::vector<Finding>& findings);

}  // namespace durava::audit
