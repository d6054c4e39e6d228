// SPDX-License-Identifier: MIT
#pragma once
// The owner's check, its first steps: which journal files hold the days checked and where their
// chain stands before them; then their lines followed along their chains, entry by entry: the
// MACs, the chains begun, entries missing, the clock set back, the key file copied back, lines a
// kill cut short. Each entry the chain vouches for goes on to the notes (entrynotes.h).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "audit/check.h"
#include "audit/check/chainkeys.h"
#include "audit/check/days.h"
#include "audit/check/entrynotes.h"
#include "journal/entry.h"

namespace durava::audit {

constexpr core::TimeKey kSinceEver = std::numeric_limits<core::TimeKey>::min();
constexpr core::TimeKey kUntilNow = std::numeric_limits<core::TimeKey>::max();

// An entry as the walk left it.
struct Seen {
    std::uint64_t seq = 0;
    journal::Digest mac{};
    std::string time;
};

// The journal files of the days checked, and where their chain stands before them.
struct ChainSpan {
    std::filesystem::path folder;  // the Durava folder
    std::vector<int> earlier;      // the months of the journal's files before the days, in order
    std::vector<int> checked;      // the months of those the days fall in
    std::optional<Seen> before;    // the last entry of the files before
    // No file after the days: the key file says where the journal ends.
    bool endsWithDays = true;
    std::uint64_t mostEntries = 0;  // journal::MostEntries
};
ChainSpan GatherChains(const std::filesystem::path& journalFolder, int firstMonth, int lastMonth);
// The key file's name, as a finding names it.
std::string KeyFileName(const std::filesystem::path& journalFolder);

// Entries missing from `from` to `until`, whose finding is the `finding`th: records of that span
// that the journal does not hold are the gap's.
struct Gap {
    core::TimeKey from, until;
    std::size_t finding;
};

// What the walk found besides its findings.
struct WalkedChains {
    std::uint64_t entriesChecked = 0, entriesUnchecked = 0;
    bool unkeyedChecked = false, ownerChecked = false;
    bool ownersBefore = false;  // an owner's chain was met
    // Records that end by then may have been written before the journal began.
    core::TimeKey journalStart = kSinceEver;
    std::vector<Gap> gaps;
    std::vector<Use> cutShort;  // checkouts whose lines a kill cut short
    // The RecordKey of records that changed checkout lines still name: the record was written by
    // the program, its line is what changed.
    std::vector<std::uint64_t> damagedRecords;
    // The last entry walked, as the journal has it; as the key file has it when none was.
    std::optional<journal::ChainHead> head;
};

// The journal's findings go to `findings` in its order; each entry vouched for to `notes`.
WalkedChains FollowChains(const ChainSpan& span, ChainKeys keys, const Days& days,
                          EntryNotes& notes, std::vector<Finding>& findings);

}  // namespace durava::audit
