// SPDX-License-Identifier: MIT
#pragma once
// The owner's check (核对记录): the journal's chain, entry by entry, and the month files against
// the journal's checkouts, for a month, a year or a span of days; each record counts on the day it
// ended. What it finds is data; checktexts.h words it for the owner.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "audit/operatortakings.h"
#include "core/datetime.h"
#include "journal/chain/secrets.h"
#include "journal/entry.h"
#include "people/owner.h"

namespace durava::audit {

// A head as a slip prints it ("136 900106ea"): the entries, and the MAC's first hex digits.
struct SlipHead {
    std::uint64_t entries = 0;
    std::string mac;  // lower-case hex, 8 digits on a slip, up to 64
    bool operator==(const SlipHead&) const = default;
};
// Nothing unless `text` is a number and 8 to 64 hex digits, as "日志 136 条 900106ea" or
// "136 900106ea" give them.
std::optional<SlipHead> ReadSlipHead(std::string_view text);

struct CheckInput {
    std::filesystem::path historyFolder;
    std::filesystem::path journalFolder;  // the Durava folder
    core::CalendarTime first, last;       // the days checked
    // From the owner's password, when one is set: the chains it began are checked with it; the
    // chains begun without one are checked as the plain hash chains they are.
    std::optional<journal::JournalKey> ownerKey{};
    // The first keys of the chains the owner began with earlier passwords (Owner::EarlierKeys).
    std::vector<journal::JournalKey> earlierOwnerKeys{};
    // Heads from the slips the owner kept: each is found in the journal or named as missing.
    std::vector<SlipHead> slipHeads{};
};

enum class FindingKind {
    // Changes the owner must hear of.
    RecordChanged,       // a checkout's record holds other bytes than the journal says
    RecordDeleted,       // a checkout's record is not in its month file
    RecordNotJournaled,  // a record the journal never wrote, after the journal began
    RecordMoved,         // a record in another month file than its checkout's, or out of order
    EntryChanged,        // journal lines whose MAC fails: changed, added or cut by hand
    JournalGap,          // entries missing from `time` to `until`; `count` of them
    ClockBack,           // from `time` back to `until`, by more than two desks' clocks differ
    SettingsChangedOutside,
    KeyRolledBack,      // the key file was copied back from an earlier day
    ProtectionOff,      // a chain without the owner's password after one with it
    OtherOwnerKey,      // a chain of the owner's that this password does not open
    OwnerFileGone,      // the journal is the owner's, the owner's file is not there: protection off
    OperatorsFileGone,  // missing or not as Durava writes it, while the owner's file is there
    SlipHeadMissing,    // a head from a slip (`count` entries, MAC from `until`) not in the journal
    DeskHeadMissing,    // the head this desk remembers writing is not in the journal
    OurFileGone,        // a file of ours (`file`) the desk saw is gone, since `time` when known
    KeyFileUnusable,    // the key file (`file`) missing, damaged or no file, `count` entries on
    TakeBackOutOfPlace,  // a take-back at `time` not right after its checkout of `item` at `until`
    // Notices: nothing was changed by hand.
    SlipHeadHeld,     // a head from a slip the journal holds
    JournalCutShort,  // a journal line a kill cut short; the next entry began on a line of its own
    RecordCutShort,   // a line a kill left of a record: it has no total and is never summed
    ChainRestarted,   // the journal began a new chain: `reason`
    JournalBegins,    // the journal began within the days checked: records before it stand apart
};
bool IsTampering(FindingKind kind);

struct Finding {
    FindingKind kind;
    std::string item{};         // a program text; empty when none
    std::string file{};         // the name of the month file or of the journal file
    std::size_t line = 0;       // from 1; 0 when none
    std::string time{};         // "yyyy/MM/dd hh:mm:ss"; empty when not known
    std::string until{};        // the end of a run of lines or of a gap, or the clock's new time
    std::uint64_t count = 0;    // entries in a run or a gap
    std::uint64_t records = 0;  // records in a gap, which the journal does not hold
    std::optional<journal::ChainReason> reason{};
    // A record's total as the journal names it, then as the file holds it, when they differ.
    std::optional<std::pair<std::int64_t, std::int64_t>> totals{};
};

struct CheckReport {
    std::uint64_t entriesChecked = 0;
    std::uint64_t recordsChecked = 0;
    std::uint64_t recordsBeforeJournal = 0;  // counted apart, never called changed
    // The kinds of chain whose MACs were checked; entries of the owner's chains stay unchecked
    // when no owner password was given.
    bool unkeyedChecked = false, ownerChecked = false;
    std::uint64_t entriesUnchecked = 0;
    std::vector<Finding> findings;  // the journal's in its order, then the month files'
    std::vector<OperatorActivity> operators;
    // The last entry the check reached, for the slips the owner kept; as the key file has it when
    // the days hold no entry.
    std::optional<journal::ChainHead> head;
    // Whether a head from a slip or this computer's memory of the folder could show a journal
    // copied back whole.
    bool headsHeld = false;
};

// The owner's chains opened with the keys of the owner's password, when they could be derived.
inline void OpenWith(CheckInput& input, std::optional<people::OwnerChainKeys> keys) {
    if (!keys) return;
    input.ownerKey = keys->current;
    input.earlierOwnerKeys = std::move(keys->earlier);
}

CheckReport CheckJournal(const CheckInput& input);
// No finding of a change: what a kill or two copies leave reads clean.
bool IsClean(const CheckReport& report);

}  // namespace durava::audit
