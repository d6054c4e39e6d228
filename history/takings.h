// SPDX-License-Identifier: MIT
#pragma once
// The takings of a month file: totals, per day of the end time, per item, and the records that
// cannot be read, which are listed apart instead of being added or dropped.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "history/historyfile.h"

namespace durava::history {

struct Takings {
    std::int64_t yuan = 0;
    std::int64_t uses = 0;
    std::int64_t seconds = 0;
};

struct DayTakings {
    core::CalendarTime date;  // the day only
    Takings takings;
};

struct ItemTakings {
    std::string name;
    Takings takings;
};

struct UnreadableRecord {
    std::size_t record;  // from 0, in file order
    Unreadable reason;
    std::size_t file = 0;  // which of the files summed together, from 0
    std::string line;      // as the file holds it
};

struct MonthTakings {
    Takings total;
    // Every day of the month asked for, then any other day a record ended on, by date.
    std::vector<DayTakings> days;
    // Most takings first; equal takings in the order of their first record.
    std::vector<ItemTakings> items;
    std::vector<UnreadableRecord> unreadable;
};

// A day as one number that orders as the days do, yyyyMMdd; the time of day is left out.
int DayKey(const core::CalendarTime& day);

// Sums the records of one month file or of several, each on the day it ended.
class TakingsAdder {
  public:
    TakingsAdder();
    ~TakingsAdder();
    // Lists every day from `first` to `last`, takings or not; with `only`, records that ended on
    // other days are left out.
    void ListDays(const core::CalendarTime& first, const core::CalendarTime& last, bool only);
    // `file` names the month file in the unreadable records; a file read only for the records it
    // may hold of the days asked for lists none (`listUnreadable` false). The month may go once
    // added: nothing of it is kept.
    void Add(const HistoryMonth& month, std::size_t file, bool listUnreadable);
    MonthTakings Finish();

  private:
    struct Sums;
    std::unique_ptr<Sums> m_sums;
};

// `forYear` and `forMonth` name the month whose days are all listed, takings or not; 0 lists
// only the days that records ended on.
MonthTakings ComputeTakings(const HistoryMonth& month, int forYear = 0, int forMonth = 0);
// The takings of the records that ended on the day of `time`.
std::int64_t TakingsOn(const MonthTakings& takings, const core::CalendarTime& time);

}  // namespace durava::history
