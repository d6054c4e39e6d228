// SPDX-License-Identifier: MIT
#pragma once
// One entry of the journal: what was done, when, by whom, to which item, and what changed; and its
// line in the journal, which a person can read: UTF-8, the parts parted by tabs, each value
// labelled, the MAC last.
//   12 <tab> 2024/05/06 18:31:00 <tab> 张三 <tab> 结账 <tab> A1 <tab> 月份文件=202405.QY.txt ...
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"
#include "journal/chain/digest.h"

namespace durava::journal {

// What an entry records.
enum class Action {
    NewChain,  // the first entry of a chain; it names the head of the chain before, if known
    ProgramStart,
    ProgramEnd,
    Login,
    Logout,
    WrongPin,
    Start,
    Checkout,
    Switch,
    Add,
    Modify,
    Delete,
    Refused,
    ShiftClose,
    Export,
    Print,
    OperatorsChanged,
    OwnerSettingsChanged,
    SettingsChangedOutside,  // ROOMSETTING.ini changed by something other than Durava
    ClockBack,               // the clock went back while the program ran
    JournalBehindDesk,       // the journal lacks the head this desk remembers writing
    OurFileGone,             // a file of ours the desk saw beside the journal is gone
};

// The labelled values after an entry's item.
enum class Field {
    MonthFile,      // checkout: the month file's name
    HistoryFolder,  // checkout: the desk's History folder, which two desks on one journal tell
                    // apart
    StartTime,      // checkout: with the item, names the use
    Total,          // checkout: whole yuan, or the total's text when it is not a sum
    RecordHash,     // checkout: SHA-256 of the record's code page 936 bytes without its line break
    Late,           // checkout: journaled after a kill came between the record and its entry
    From,           // switch: the item left; clock: the time before
    To,             // switch: the item taken; clock: the time after
    Before,         // modify: the tariff before
    After,          // modify: the tariff after
    RefusedAction,
    Reason,
    Expected,  // shift close
    Counted,
    Difference,
    File,  // export
    Slip,  // print
    What,  // a change of operators or owner settings
    Protection,
    PreviousEntries,  // new chain: the head of the chain before
    PreviousMac,
    PreviousTime,
    Settings,  // SHA-256 of ROOMSETTING.ini as the entry's action left or found it
};

// Whether a chain's first key derives from the owner's password.
enum class Protection { Unkeyed, Owner };

// Why a chain begins: the journal's own reasons, then the owner's.
enum class ChainReason {
    FirstUse,              // no journal yet
    KeyMissing,            // the key file is gone, the journal is not
    KeyDamaged,            // the key file does not read as Durava writes it
    KeyBehind,             // the key file is older than the journal
    FolderGone,            // the Durava folder went while the program ran
    OwnerPassword,         // the first one
    OwnerPasswordChanged,  // in place of one the owner typed
    OwnerRestart,          // the owner begins anew, as after a forgotten password
};

// The last entry of a chain: what a slip prints and a new chain names.
struct ChainHead {
    std::uint64_t entries = 0;
    Digest last{};
    std::string time;  // "yyyy/MM/dd hh:mm:ss"; empty when not known
    bool operator==(const ChainHead&) const = default;
};

struct Detail {
    Field field;
    std::string value;  // a program text (code page 936)
};

// Texts are program texts (code page 936); the journal holds them in UTF-8.
struct Entry {
    Action action = Action::ProgramStart;
    core::DateTime time = 0;
    std::string operatorName{};  // empty when there are no operators
    std::string item{};
    std::vector<Detail> details{};
};

// The text of the entry numbered `seq` in its chain: what its MAC covers.
std::string EntryText(std::uint64_t seq, const Entry& entry);
// The text, a tab, the MAC in hex, CR LF.
std::string JournalLine(std::string_view text, const Digest& mac);

// A line of the journal as it reads; the views point into the line and keep the journal's UTF-8
// and its escapes.
struct ReadLine {
    std::string_view text;  // what the MAC covers
    std::uint64_t seq = 0;
    std::string_view time, operatorName, item;
    Action action = Action::NewChain;
    std::string_view details;
    Digest mac{};

    std::optional<std::string_view> Value(Field field) const;
};
// The last two lines of a journal's text that read as entries; the views point into `text`.
struct LastEntries {
    std::optional<ReadLine> last, before;
};
LastEntries LastEntriesOf(std::string_view text);

// The labelled values of a line as program texts; labels the program does not know are left out.
std::vector<Detail> DetailsOf(const ReadLine& line);
// The parts of a line before its details, for what passes most lines by: read without the details
// split or the MAC read, so a line a kill cut short after its item still shows them. The views
// point into the line; nothing when it has no item or no action the journal knows.
struct LineLook {
    std::string_view seq, time, operatorName;
    Action action = Action::NewChain;
    std::string_view item;
};
std::optional<LineLook> LookAtLine(std::string_view line);
// `line` without its line break; nothing when it is not a whole line as the journal writes one.
std::optional<ReadLine> ReadJournalLine(std::string_view line);
// The same of `line`, looked at already as `look`.
std::optional<ReadLine> ReadJournalLine(std::string_view line, const LineLook& look);
// A value as read, as a program text: the escapes undone, in code page 936.
std::string ProgramText(std::string_view written);
// A program text as a line writes it, to be found in lines as read without undoing each.
std::string WrittenText(std::string_view text);

// What the first entry of a chain says of it; nothing when the line is no such entry.
struct ChainStart {
    Protection protection = Protection::Unkeyed;
    std::optional<ChainReason> reason;
    std::optional<ChainHead> before;
};
std::optional<ChainStart> ReadChainStart(const ReadLine& line);

// The name the journal writes, in UTF-8.
const std::string& ActionName(Action action);
// Why a chain began, and whose its keys are, as program texts.
std::string ReasonText(ChainReason reason);
std::string ProtectionText(Protection protection);
// The action's name and the labelled values, as the owner reads them: program texts.
std::string ActionText(Action action);
std::string DetailsText(const std::vector<Detail>& details);

}  // namespace durava::journal
