// SPDX-License-Identifier: MIT
#pragma once
// Every change of the stores: each operation takes the lock that all copies of the program share,
// reads what it depends on from the file at that moment, checks its precondition, writes, and says
// what happened. Windows only read their controls, call one of these and show the outcome.
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "journal/files/ourfiles.h"
#include "journal/journal.h"
#include "operations/bill.h"
#include "operations/tariff.h"
#include "store/settings/settings.h"
#include "store/storelock.h"

namespace durava::operations {

enum class Outcome {
    Done,
    AlreadyBilled,       // checkout: the use was recorded before; now idle, no second record
    NoLongerIdle,        // the item is in use (or gone) by now
    NoLongerInUse,       // the item is idle (or gone) by now
    StartedAgain,        // checkout: in use, but not with the start time the window showed
    BilledThisSecond,    // start, switch: a billed use of the item began in the use's start
                         // second; nothing done
    SettingsNotRead,     // the file cannot be read just now; nothing changed
    SettingsNotWritten,  // nothing changed
    SettingsReadOnly,  // the settings file's folder takes no lock file, nor any write; nothing done
    RecordNotWritten,  // checkout: nothing changed, the item stays in use
    JournalNotWritten,  // an owner password asks for the journal, which cannot be written; nothing
                        // changed
    OwnFileNotWritten,  // one of our files (the owner's, the operators') refused the change
    StoreBusy,          // another copy held the lock too long; nothing done
    StoreUnavailable,   // the lock file cannot be used; nothing done. The last outcome.
};

// Where the operations journal what they do, each under its lock, refusals too: who is on duty,
// and whether an owner password asks that nothing be done that the journal cannot hold.
struct Journaling {
    journal::Journal& journal;
    std::string operatorName{};
    bool required = false;  // read again from the owner's file under each action's lock
    // The last entry that could not be written, for the operator to hear of once.
    std::optional<journal::FileTrouble> problem{};
};

struct Store {
    store::SettingsFile& settings;
    std::filesystem::path historyFolder;
    std::chrono::milliseconds lockPatience = store::kLockPatience;
    Journaling* journaling = nullptr;  // nothing is journaled without
};

// 开始计时: the idle item goes into use from `now`.
Outcome StartUse(Store& store, std::string_view item, core::DateTime now);
// 确定结账: records the bill in the month file of its end time, then sets the item idle.
Outcome Checkout(Store& store, const Bill& bill);
// 确认切换: the use of `from` moves to the idle item `to`; the two exchange their tariffs.
Outcome SwitchUse(Store& store, std::string_view from, std::string_view to);

// Writes the tariff and sets the item idle; refused for an item in use, whose use it would end
// without a record.
Outcome SaveItem(Store& store, std::string_view item, const TariffTexts& tariff);
// Refused for an item in use.
Outcome DeleteItem(Store& store, std::string_view item);

// An entry of the program's own, not an action on the stores (its start and end, the clock gone
// back), under the lock the copies share. False when it is not in the journal.
bool JournalEvent(Store& store, journal::Entry entry);
// Every action that writes the settings file names its bytes in its entry. When the file holds
// other bytes than the journal last named, it was changed outside Durava (by hand, in an editor):
// SettingsChangedOutside is journaled, naming the bytes it holds now, so that the change is named
// once. Nothing is named while the journal names no file yet. True when it was journaled.
bool JournalChangeOutside(Store& store, core::DateTime now);
// The program's start, after any change made outside while it was not running; its entry names
// the file as it finds it.
bool JournalProgramStart(Store& store, core::DateTime now);

// What a change of our own files did: the entry that tells of it (none when nothing changed, or
// when it began a journal chain, which tells of itself), or the file that failed.
struct OurChange {
    std::optional<journal::Entry> entry;
    std::optional<journal::FileTrouble> trouble;
};
// A change of our own files (the owner's password, the operators, what asks for the password, the
// wait after wrong tries), made by `change` under the lock the copies share, then journaled. A
// change that begins a new chain goes on whatever state the journal is in: a new chain is how a
// stuck journal goes on.
Outcome ChangeOurFiles(Store& store, bool newChain, const std::function<OurChange()>& change,
                       std::optional<journal::FileTrouble>& trouble);

// Whether the item, found as the settings file finds names, is in use: a read without the lock,
// for what a window shows or asks before it calls an operation.
bool IsInUse(const store::SettingsFile& settings, std::string_view item);

}  // namespace durava::operations
