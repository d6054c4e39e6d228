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

#include "audit/check/days.h"
#include "audit/checkouts.h"
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

// The History folders the checkouts in the journal files of `months` name, as written.
std::vector<std::string> HistoryFoldersNamed(const std::filesystem::path& journalFolder,
                                             const std::vector<int>& months);

// The operators' activity of the days at the desk of `historyFolder`, as the journal's lines are
// handed to it: its checkouts as checkouts.h counts them, its noted actions. `foldersNamed` are
// the History folders the lines name (HistoryFoldersNamed).
class OperatorTally {
  public:
    OperatorTally(std::filesystem::path historyFolder, const Days& days,
                  const std::vector<std::string>& foldersNamed);

    // A checkout's line: counted when it is of this desk, stands (checkouts.h) and is of the
    // days; its number, nothing when not counted.
    std::optional<std::size_t> Count(const journal::ReadLine& checkout);
    // A refusal's line: the checkout it takes back is counted no more; what it names, as
    // Checkouts::TakeBack tells it.
    std::optional<Checkouts::TakeBackOf> TakeBack(const journal::ReadLine& refusal);
    // Whether the checkout counted as `number` is still counted.
    bool Counts(std::size_t number) const { return m_checkouts.Stands(number); }
    // The activity of the operator named as the journal writes the name.
    OperatorActivity& Of(std::string_view operatorName);
    // Every operator named, in the order of the names; names as program texts.
    std::vector<OperatorActivity> Take();

  private:
    // Two desks on one settings file keep one journal and a History folder each: a checkout of
    // another desk's folder is not this one's. A journal that names one folder is this desk's
    // wherever the Documents folder now lies, as a copy checked at home; of several, the one that
    // is this desk's folder, or else those that lie on no disk here.
    bool IsThisDesk(std::optional<std::string_view> folder);

    // What a checkout added, to be taken back; nothing when not of the days.
    struct Counted {
        OperatorActivity* activity;
        std::int64_t yuan;
    };

    std::filesystem::path m_historyFolder;
    Days m_days;
    bool m_oneFolder = true;   // the journal names one History folder, or none
    bool m_oursNamed = false;  // and one of them is this desk's
    // History folders as written: this desk's?
    std::unordered_map<std::string, bool, LineTextHash, std::equal_to<>> m_desks;
    std::map<std::string, OperatorActivity, std::less<>> m_operators;
    Checkouts m_checkouts;
    std::vector<Counted> m_counted;  // by the number of each checkout of this desk
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
