// SPDX-License-Identifier: MIT
#include "operations/operations.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <span>
#include <vector>

#include "core/fixedtexts.h"
#include "history/historyfile.h"
#include "history/monthfiles.h"
#include "journal/deskmemory.h"
#include "journal/entries.h"
#include "journal/settingsnamed.h"
#include "people/owner.h"
#include "store/files/fileio.h"
#include "store/startup.h"

namespace durava::operations {
namespace {

// Holds the lock for an operation, and one look at the file taken under it; `refusal` says why the
// operation cannot go on, if it cannot. Its writes still start from the file as it is then.
struct Guard {
    // `time` is the action's, which its journal entry carries.
    Guard(Store& store, core::DateTime time)
        : lock(store.settings.Path(), store.lockPatience), look(store.settings) {
        if (lock.State() == store::LockState::Busy) {
            refusal = Outcome::StoreBusy;
        } else if (lock.State() == store::LockState::ReadOnly) {
            refusal = Outcome::SettingsReadOnly;
        } else if (!lock.Held()) {
            refusal = Outcome::StoreUnavailable;
        } else if (store.settings.Unreadable()) {
            // Checked against what the file last held, a precondition could pass wrongly.
            refusal = Outcome::SettingsNotRead;
        } else if (store.journaling) {
            // Another desk on the folder may have set the owner's password since this one started.
            store.journaling->required =
                people::ReadOwner(journal::DuravaFolder(store.settings.Path())).state !=
                journal::FileState::Missing;
            if (store.journaling->required) {
                store.journaling->problem = store.journaling->journal.Ready(time);
                if (store.journaling->problem) refusal = Outcome::JournalNotWritten;
            }
        }
    }
    const store::StoreLock lock;
    const store::SettingsFile::OneLook look;
    std::optional<Outcome> refusal;
};

std::string StateOf(const store::SettingsFile& settings, std::string_view item) {
    // A section without 状态 shows and counts as idle, as the list shows it.
    const core::FixedTexts& texts = core::Texts();
    return settings.HasSection(item) ? settings.ReadSetting(item, texts.state, texts.idle)
                                     : std::string();
}

int MonthIndex(core::DateTime when) {
    const core::CalendarTime time = core::ToCalendarTime(when);
    return time.year * 12 + time.month - 1;
}

struct Recorded {
    std::filesystem::path monthFile;
    std::string record;
};

// A use's record goes to the month of its checkout, which lies between the month of its start and
// that of `now`; a start that cannot be read leaves only now's month.
std::optional<Recorded> RecordOf(const Store& store, std::string_view item,
                                 std::string_view startText, core::DateTime now) {
    const core::DateTime start = core::ParseDateTime(startText);
    int first = MonthIndex(now), last = first;
    if (start != core::kMinDateTime) {
        first = std::min(first, MonthIndex(start));
        last = std::max(last, MonthIndex(start));
    }
    constexpr int kMonthsSearched = 24;
    first = std::max(first, last - kMonthsSearched + 1);
    for (int month = first; month <= last; ++month) {
        const std::filesystem::path path =
            history::MonthFile::Of({month / 12, month % 12 + 1}).Path(store.historyFolder);
        if (std::optional<std::string> record = history::RecordOfUse(path, item, startText)) {
            return Recorded{path, std::move(*record)};
        }
    }
    return std::nullopt;
}

bool IsRecorded(const Store& store, std::string_view item, std::string_view startText,
                core::DateTime now) {
    return RecordOf(store, item, startText, now).has_value();
}

// Appends the entry, as done by the operator on duty; false when the store's journal could not
// take it.
bool Journal(Store& store, journal::Entry entry) {
    if (!store.journaling) return true;
    entry.operatorName = store.journaling->operatorName;
    std::optional<journal::FileTrouble> problem = store.journaling->journal.Append(entry);
    if (!problem) return true;
    store.journaling->problem = std::move(problem);
    return false;
}

// Whether the journal failing stops the action.
bool JournalRequired(const Store& store) {
    return store.journaling && store.journaling->required;
}

// Why an action was refused, in the journal.
std::u16string_view ReasonOf(Outcome outcome) {
    static constexpr std::pair<Outcome, std::u16string_view> kReasons[] = {
        {Outcome::NoLongerIdle, u"项目不是空闲状态"},
        {Outcome::NoLongerInUse, u"项目不在使用中"},
        {Outcome::StartedAgain, u"开始时间已改变"},
        {Outcome::BilledThisSecond, u"这一秒内刚结过账"},
        {Outcome::SettingsNotRead, u"设置文件读不出"},
        {Outcome::SettingsNotWritten, u"设置文件写不进去"},
        {Outcome::RecordNotWritten, u"记录写不进去"},
    };
    for (const auto& [refused, reason] : kReasons) {
        if (refused == outcome) return reason;
    }
    return {};
}

// The action's outcome, journaled: `done` when it is done, else its refusal and why. Without the
// lock nothing is journaled, nor when the journal itself is what failed.
Outcome Journaled(Store& store, const Guard& guard, journal::Entry done, Outcome outcome) {
    if (outcome == Outcome::Done) {
        Journal(store, journal::NamingSettings(std::move(done), store.settings.BytesNow()));
    } else if (guard.lock.Held() && outcome != Outcome::JournalNotWritten &&
               outcome != Outcome::AlreadyBilled) {
        Journal(store, journal::RefusalEntry(done, core::Fixed(ReasonOf(outcome))));
    }
    return outcome;
}

// The tariff as the journal names it.
journal::TariffNamed Named(const TariffTexts& tariff) {
    return {tariff.initialPeriod, tariff.initialFee, tariff.minimumUnit, tariff.overtimePrice};
}

}  // namespace

bool IsInUse(const store::SettingsFile& settings, std::string_view item) {
    return settings.ReadSetting(item, core::Texts().state) == core::Texts().inUse;
}

Outcome StartUse(Store& store, std::string_view item, core::DateTime now) {
    const Guard guard(store, now);
    const std::string start = core::TimeText(now);
    journal::Entry entry{
        journal::Action::Start, now, {}, std::string(item), {{journal::Field::StartTime, start}}};
    return Journaled(store, guard, std::move(entry), [&] {
        if (guard.refusal) return *guard.refusal;
        const core::FixedTexts& texts = core::Texts();
        if (StateOf(store.settings, item) != texts.idle) return Outcome::NoLongerIdle;
        // A use is known by its item and start second: one started in the second of a billed
        // use's start would be taken for that use at its checkout and never billed.
        if (IsRecorded(store, item, start, now)) return Outcome::BilledThisSecond;
        // Both values land together or not at all: an item in use without its start time could
        // never be billed.
        const store::SettingWrite writes[] = {{item, texts.state, texts.inUse},
                                              {item, texts.startTime, start}};
        return store.settings.WriteSettings(writes) ? Outcome::Done : Outcome::SettingsNotWritten;
    }());
}

namespace {

// What the checkout of `bill` wrote, as its entry names it: `total` as `record` holds it.
journal::CheckoutWritten Written(const Bill& bill, std::string_view total, std::string_view record,
                                 const std::filesystem::path& monthFile) {
    return {bill.Item(), bill.Start(), total, history::MoneyOf(total), record, monthFile};
}

// The total of a record found: a bill computed now would show a later one.
std::string TotalOf(const std::string& record) {
    const history::HistoryMonth month(record);  // the fields point into it
    std::vector<std::string_view> fields;
    month.SplitFields(0, fields);
    return history::CellText(fields, history::kFieldTotal);
}

// The writes that set a checked-out item idle, and the settings file's bytes after them, which its
// entry names before they land.
struct IdleWrite {
    std::span<const store::SettingWrite> writes;
    std::optional<std::string> bytes;
};

// A checkout that a kill cut short after its record: the record found is journaled, late, and the
// item set idle without a second record.
Outcome FinishCutCheckout(Store& store, const Bill& bill, const Recorded& recorded,
                          const IdleWrite& idle) {
    const journal::Entry entry = journal::NamingSettings(
        journal::CheckoutEntry(
            bill.end, {},
            Written(bill, TotalOf(recorded.record), recorded.record, recorded.monthFile), true),
        idle.bytes);
    if (!Journal(store, entry) && JournalRequired(store)) return Outcome::JournalNotWritten;
    return store.settings.WriteSettings(idle.writes) ? Outcome::AlreadyBilled
                                                     : Outcome::SettingsNotWritten;
}

// The record appended, journaled, then the item set idle; a step that fails takes back the steps
// before it, so that the item in use keeps no record that would bill it twice.
Outcome RecordCheckout(Store& store, const Bill& bill, const IdleWrite& idle) {
    const std::filesystem::path path = history::MonthFile::Of(bill.end).Path(store.historyFolder);
    const std::string record = bill.Record();
    // The month file as the checkout found it, so that one that cannot finish leaves it so; a
    // file it made would list an empty month.
    const std::optional<store::FileLook> month = store::LookAt(path);
    if (!month && errno != ENOENT) return Outcome::RecordNotWritten;
    const std::optional<std::uint64_t> sizeBefore =
        month ? std::optional(month->size) : std::nullopt;
    if (!history::AppendHistoryRecord(path, record)) {
        history::RemoveLastHistoryRecord(path, {}, sizeBefore);
        return Outcome::RecordNotWritten;
    }
    const bool journaled = Journal(
        store, journal::NamingSettings(
                   journal::CheckoutEntry(bill.end, {}, Written(bill, bill.Total(), record, path)),
                   idle.bytes));
    // The item is still in use, so its record must not stay: it would be billed twice.
    if (!journaled && JournalRequired(store)) {
        history::RemoveLastHistoryRecord(path, record, sizeBefore);
        return Outcome::JournalNotWritten;
    }
    if (store.settings.WriteSettings(idle.writes)) return Outcome::Done;
    history::RemoveLastHistoryRecord(path, record, sizeBefore);
    // The journal's checkout is taken back with its record.
    if (journaled) {
        Journal(store,
                journal::NamingSettings(
                    journal::TakenBackEntry(bill.end, bill.Item(), record,
                                            core::Fixed(ReasonOf(Outcome::SettingsNotWritten))),
                    store.settings.BytesNow()));
    }
    return Outcome::SettingsNotWritten;
}

// The checkout under its lock, once the use is found as the window showed it.
Outcome CheckoutLocked(Store& store, const Guard& guard, const Bill& bill) {
    if (guard.refusal) return *guard.refusal;
    const core::FixedTexts& texts = core::Texts();
    const std::string& item = bill.Item();
    if (StateOf(store.settings, item) != texts.inUse) return Outcome::NoLongerInUse;
    if (store.settings.ReadSetting(item, texts.startTime) != bill.Start()) {
        return Outcome::StartedAgain;
    }
    const store::SettingWrite idle[] = {{item, texts.state, texts.idle},
                                        {item, texts.startTime, texts.none}};
    const IdleWrite idleWrite{idle, store.settings.BytesAfter(idle)};
    if (const std::optional<Recorded> recorded = RecordOf(store, item, bill.Start(), bill.end)) {
        return FinishCutCheckout(store, bill, *recorded, idleWrite);
    }
    return RecordCheckout(store, bill, idleWrite);
}

}  // namespace

// The record goes to disk first, then its journal entry; only then does the item become idle, so
// a checkout that cannot be recorded leaves the item in use and nothing lost, and one cut short
// before the idle write finds its record next time instead of billing the use again, and
// journals it if its entry may be missing.
Outcome Checkout(Store& store, const Bill& bill) {
    const Guard guard(store, bill.end);
    const Outcome outcome = CheckoutLocked(store, guard, bill);
    if (outcome == Outcome::Done || outcome == Outcome::SettingsNotWritten) return outcome;
    return Journaled(store, guard, {journal::Action::Checkout, bill.end, {}, bill.Item()}, outcome);
}

Outcome SwitchUse(Store& store, std::string_view from, std::string_view to) {
    const core::DateTime now = core::CurrentTime();
    const Guard guard(store, now);
    journal::Entry entry{
        journal::Action::Switch,
        now,
        {},
        std::string(from),
        {{journal::Field::From, std::string(from)}, {journal::Field::To, std::string(to)}}};
    return Journaled(store, guard, std::move(entry), [&] {
        if (guard.refusal) return *guard.refusal;
        store::SettingsFile& settings = store.settings;
        const core::FixedTexts& texts = core::Texts();
        // The keys moved, in the order they are read and written: the tariff, then 状态 and
        // 开始时间.
        const std::string* const keys[] = {&texts.initialPeriod, &texts.initialFee,
                                           &texts.minimumUnit,   &texts.overtimePrice,
                                           &texts.state,         &texts.startTime};
        constexpr std::size_t kTariffKeys = 4, kStateKey = 4;
        std::array<std::string, std::size(keys)> left;
        for (std::size_t i = 0; i < std::size(keys); ++i)
            left[i] = settings.ReadSetting(from, *keys[i]);
        std::array<std::string, kTariffKeys> chosen;
        for (std::size_t i = 0; i < kTariffKeys; ++i)
            chosen[i] = settings.ReadSetting(to, *keys[i]);
        // Moving a use that has ended, or onto an item now in use, would swap tariffs or lose a
        // use.
        if (left[kStateKey] != texts.inUse) return Outcome::NoLongerInUse;
        if (settings.ReadSetting(to, texts.state) != texts.idle) {
            return Outcome::NoLongerIdle;
        }
        // The use keeps its start second on the other item: a billed use of that item that began in
        // the same second would be taken for it at its checkout.
        if (IsRecorded(store, to, left[kStateKey + 1], now)) {
            return Outcome::BilledThisSecond;
        }
        // One replacement of the file: a switch half done would leave both items with one tariff.
        const store::SettingWrite writes[] = {
            {to, *keys[0], left[0]},         {to, *keys[1], left[1]},
            {to, *keys[2], left[2]},         {to, *keys[3], left[3]},
            {to, *keys[4], left[4]},         {to, *keys[5], left[5]},
            {from, *keys[0], chosen[0]},     {from, *keys[1], chosen[1]},
            {from, *keys[2], chosen[2]},     {from, *keys[3], chosen[3]},
            {from, texts.state, texts.idle}, {from, texts.startTime, texts.none},
        };
        return settings.WriteSettings(writes) ? Outcome::Done : Outcome::SettingsNotWritten;
    }());
}

Outcome SaveItem(Store& store, std::string_view item, const TariffTexts& tariff) {
    const core::DateTime now = core::CurrentTime();
    const Guard guard(store, now);
    journal::Entry entry{journal::Action::Add,
                         now,
                         {},
                         std::string(item),
                         {{journal::Field::After, journal::TariffText(Named(tariff))}}};
    if (store.settings.HasSection(item)) {
        entry.action = journal::Action::Modify;
        entry.details.insert(entry.details.begin(),
                             {journal::Field::Before,
                              journal::TariffText(Named(ReadTariffTexts(store.settings, item)))});
    }
    return Journaled(store, guard, std::move(entry), [&] {
        if (guard.refusal) return *guard.refusal;
        if (IsInUse(store.settings, item)) return Outcome::NoLongerIdle;
        const core::FixedTexts& texts = core::Texts();
        const store::SettingWrite writes[] = {
            {item, texts.initialPeriod, tariff.initialPeriod},
            {item, texts.initialFee, tariff.initialFee},
            {item, texts.minimumUnit, tariff.minimumUnit},
            {item, texts.overtimePrice, tariff.overtimePrice},
            {item, texts.state, texts.idle},
            {item, texts.startTime, texts.none},
        };
        return store.settings.WriteSettings(writes) ? Outcome::Done : Outcome::SettingsNotWritten;
    }());
}

Outcome DeleteItem(Store& store, std::string_view item) {
    const core::DateTime now = core::CurrentTime();
    const Guard guard(store, now);
    journal::Entry entry{journal::Action::Delete,
                         now,
                         {},
                         std::string(item),
                         {{journal::Field::Before,
                           journal::TariffText(Named(ReadTariffTexts(store.settings, item)))}}};
    return Journaled(store, guard, std::move(entry), [&] {
        if (guard.refusal) return *guard.refusal;
        if (IsInUse(store.settings, item)) return Outcome::NoLongerIdle;
        return store.settings.RemoveSection(item) ? Outcome::Done : Outcome::SettingsNotWritten;
    }());
}

bool JournalEvent(Store& store, journal::Entry entry) {
    const Guard guard(store, entry.time);
    return !guard.refusal && Journal(store, std::move(entry));
}

Outcome ChangeOurFiles(Store& store, bool newChain, const std::function<OurChange()>& change,
                       std::optional<journal::FileTrouble>& trouble) {
    const Guard guard(store, core::CurrentTime());
    // Our files do not depend on the settings file: only the lock and the journal matter here.
    if (guard.refusal && guard.refusal != Outcome::SettingsNotRead &&
        !(newChain && guard.refusal == Outcome::JournalNotWritten)) {
        return *guard.refusal;
    }
    OurChange done = change();
    trouble = std::move(done.trouble);
    if (trouble) return Outcome::OwnFileNotWritten;
    if (done.entry && !Journal(store, std::move(*done.entry)) && JournalRequired(store)) {
        return Outcome::JournalNotWritten;
    }
    return Outcome::Done;
}

namespace {

// Under the lock: names the file's `bytes` as changed outside when the journal last named other
// bytes.
bool JournalIfChangedOutside(Store& store, std::string_view bytes, core::DateTime now) {
    const std::optional<journal::SettingsNamed> named =
        journal::LastSettingsNamed(store.journaling->journal.Folder());
    const journal::Detail found = journal::SettingsDetail(bytes);
    if (!named || named->Names(found.value)) return false;
    return Journal(store, {journal::Action::SettingsChangedOutside, now, {}, {}, {found}});
}

// Under the lock, before the start's entry moves the desk's memory on: what the desk remembers
// writing and the folder no longer holds was taken away while the program was not running.
void JournalIfBehindTheDesk(Store& store, core::DateTime now) {
    const std::filesystem::path& folder = store.journaling->journal.Folder();
    const std::optional<journal::DeskMemory> memory = journal::RecallDesk(folder);
    if (!memory) return;
    if (!journal::JournalHolds(folder, memory->head)) {
        Journal(store, journal::BehindDeskEntry(now, memory->head));
    }
    for (const std::string& file : journal::FilesGone(folder, *memory)) {
        Journal(store, journal::FileGoneEntry(now, file));
    }
}

}  // namespace

bool JournalChangeOutside(Store& store, core::DateTime now) {
    if (!store.journaling) return false;
    const Guard guard(store, now);
    const std::optional<std::string> bytes =
        guard.refusal ? std::nullopt : store.settings.BytesNow();
    return bytes && JournalIfChangedOutside(store, *bytes, now);
}

bool JournalProgramStart(Store& store, core::DateTime now) {
    if (!store.journaling) return false;
    const Guard guard(store, now);
    if (guard.refusal) return false;
    JournalIfBehindTheDesk(store, now);
    const std::optional<std::string> bytes = store.settings.BytesNow();
    if (bytes) JournalIfChangedOutside(store, *bytes, now);
    return Journal(store, journal::NamingSettings({journal::Action::ProgramStart, now}, bytes));
}

}  // namespace durava::operations
