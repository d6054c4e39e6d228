// SPDX-License-Identifier: MIT
#pragma once
// Takings per operator, from the journal's checkouts of a span of days at one desk: the takings
// window shows them beside the month files' sums, and the owner's check beside what it checked.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/datetime.h"
#include "journal/entry.h"

namespace durava::audit {

// An action the owner looks over: a tariff change, a deletion or a switch.
struct NotedAction {
    journal::Action action;
    std::string time, item;  // item a program text
    std::vector<journal::Detail> details;
};

struct OperatorActivity {
    std::string name;  // a program text; empty without operators
    std::int64_t yuan = 0;
    std::int64_t checkouts = 0;
    std::vector<NotedAction> actions;  // in the journal's order
};

// The operators' activity of the days from `first` to `last` at the desk of `historyFolder`, as
// the journal's lines are handed to it.
class OperatorTally {
  public:
    OperatorTally(std::filesystem::path historyFolder, const core::CalendarTime& first,
                  const core::CalendarTime& last);

    bool InDays(core::TimeKey when) const { return when >= m_first && when <= m_last; }
    bool InDays(std::string_view time) const;
    // Counts a checkout's entry of the days at this desk; says whether it was counted.
    bool Count(const journal::ReadLine& checkout);
    // The activity of the operator named as the journal writes the name.
    OperatorActivity& Of(std::string_view operatorName);
    // Every operator named, in the order of the names; names as program texts.
    std::vector<OperatorActivity> Take();

  private:
    // Two desks on one settings file keep one journal and a History folder each: a checkout of
    // another desk's folder is not this one's.
    bool IsThisDesk(std::optional<std::string_view> folder);

    // Texts looked up as they stand in a line, without a copy: a year holds a million checkouts.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };

    std::filesystem::path m_historyFolder;
    core::TimeKey m_first, m_last;
    // History folders as written: this desk's?
    std::unordered_map<std::string, bool, TextHash, std::equal_to<>> m_desks;
    std::map<std::string, OperatorActivity, std::less<>> m_operators;
};

// The takings per operator of the days, from the checkouts in the journal files of their months,
// read without checking their MACs. `goOn` hears after each file how many of how many are read;
// false stops the reading and gives nothing.
std::optional<std::vector<OperatorActivity>> OperatorTakings(
    const std::filesystem::path& journalFolder, const std::filesystem::path& historyFolder,
    const core::CalendarTime& first, const core::CalendarTime& last,
    const std::function<bool(std::size_t done, std::size_t all)>& goOn = {});

// Whether the journal names an operator among them: takings per operator say nothing without.
bool NamesAnOperator(const std::vector<OperatorActivity>& operators);

}  // namespace durava::audit
