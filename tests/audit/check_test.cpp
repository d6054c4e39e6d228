// SPDX-License-Identifier: MIT
#include "audit/check.h"
#include "people/protection.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <utility>

#include "audit/checktexts.h"
#include "audit/shift.h"
#include "history/periodtakings.h"
#include "journal/deskmemory.h"
#include "journal/entries.h"
#include "store/files/fileio_faults.h"
#include "support/hall.h"

namespace durava::audit::testing {
namespace {

using namespace durava::testing;

// The owner sets a password: the owner's file, and a chain begun with `key`.
void OwnersChain(Hall& hall, const journal::JournalKey& key, core::DateTime time) {
    ASSERT_EQ(people::SetOwnerPassword(hall.Durava(),
                                       *people::MakePassword(u"owner-pw", journal::kCheapestCost)),
              std::nullopt);
    ASSERT_EQ(hall.journal.StartChain(key, journal::ChainReason::OwnerPassword, time, {}),
              std::nullopt);
}

CheckReport Check(const Hall& hall, std::optional<journal::JournalKey> ownerKey = std::nullopt) {
    return CheckJournal({hall.History(), hall.Durava(), {2024, 5, 1}, {2024, 5, 31}, ownerKey});
}

bool Finds(const CheckReport& report, FindingKind kind) {
    for (const Finding& finding : report.findings) {
        if (finding.kind == kind) return true;
    }
    return false;
}

const std::string& Room() {
    static const std::string room = Gbk("包间3");
    return room;
}

// Five checkouts by two operators, one a minute apart from 10:10.
void Open(Hall& hall) {
    const std::string operators[] = {Gbk("张三"), Gbk("李四")};
    for (int use = 1; use <= 5; ++use) {
        hall.Checkout(use == 3 ? Room() : "A" + std::to_string(use), At(10 + use), 10 * use,
                      operators[use % 2]);
    }
}

// Two more checkouts, then the key file as it was before them.
void CopyKeyBack(Hall& hall) {
    const std::string key = ReadBytes(journal::KeyFilePath(hall.Durava()));
    hall.Checkout("B1", At(20), 5);
    hall.Checkout("B2", At(21), 5);
    WriteBytes(journal::KeyFilePath(hall.Durava()), key);
}

void EditLines(const std::filesystem::path& file,
               const std::function<void(std::vector<std::string>&)>& edit) {
    std::vector<std::string> lines = LinesOf(file);
    edit(lines);
    WriteLines(file, lines);
}

void Replace(const std::filesystem::path& file, const std::string& from, const std::string& to) {
    std::string bytes = ReadBytes(file);
    const std::size_t at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    WriteBytes(file, bytes.replace(at, from.size(), to));
}

// A kill in the middle of B1's journal line, before its key and the desk's memory moved on.
void CutB1ShortByAKill(Hall& h) {
    const std::string key = ReadBytes(journal::KeyFilePath(h.Durava()));
    const std::optional<journal::DeskMemory> memory = journal::RecallDesk(h.Durava());
    h.Checkout("B1", At(20), 5);
    const std::string journal = ReadBytes(h.JournalFile());
    WriteBytes(h.JournalFile(), journal.substr(0, journal.size() - 40));
    WriteBytes(journal::KeyFilePath(h.Durava()), key);
    journal::RememberDesk(h.Durava(), memory->head);
}

// The journal and its key as they were before `act`: copied back whole.
void CopiedBackWhole(Hall& h, const std::function<void(Hall&)>& act) {
    const std::string journal = ReadBytes(h.JournalFile()),
                      key = ReadBytes(journal::KeyFilePath(h.Durava()));
    act(h);
    WriteBytes(h.JournalFile(), journal);
    WriteBytes(journal::KeyFilePath(h.Durava()), key);
}

struct Case {
    const char* name;
    std::function<void(Hall&)> act;    // after Open
    std::optional<FindingKind> named;  // nothing: the check reads clean
    // The journal's head after Open as a slip printed it, given to the check.
    bool slip = false;
    // The check reads a copy of the hall there, in the hall's folder, as an owner checks at home.
    const char* copiedTo = "";
};

// Each way of changing the files unseen, named by the check; beside them, what a kill or two
// copies leave, named clean.
const Case kCases[] = {
    {"a figure changed in a month file",
     [](Hall& h) { Replace(h.MonthFile(), Gbk("￥20 元"), Gbk("￥2 元")); },
     FindingKind::RecordChanged},
    {"a record line deleted",
     [](Hall& h) { EditLines(h.MonthFile(), [](auto& l) { l.erase(l.begin() + 2); }); },
     FindingKind::RecordDeleted},
    {"a record line added",
     [](Hall& h) { history::AppendHistoryRecord(h.MonthFile(), RecordOf("A9", At(30), 99)); },
     FindingKind::RecordNotJournaled},
    {"record lines swapped",
     [](Hall& h) { EditLines(h.MonthFile(), [](auto& l) { std::swap(l[1], l[3]); }); },
     FindingKind::RecordMoved},
    {"a record moved to last month's file",
     [](Hall& h) {
         std::vector<std::string> lines = LinesOf(h.MonthFile());
         WriteLines(h.MonthFile(202404), {lines.back()});
         lines.pop_back();
         WriteLines(h.MonthFile(), lines);
     },
     FindingKind::RecordMoved},
    {"a journal entry changed", [](Hall& h) { Replace(h.JournalFile(), "=30\t", "=3\t"); },
     FindingKind::EntryChanged},
    {"a journal line's time made unreadable",
     [](Hall& h) {
         Replace(h.JournalFile(), "2024/05/06 10:13:00", "2024/0\x80\xe9\x80 6/01 15:00:00");
     },
     FindingKind::EntryChanged},
    {"a journal line added",
     [](Hall& h) { EditLines(h.JournalFile(), [](auto& l) { l.insert(l.begin() + 3, l[2]); }); },
     FindingKind::EntryChanged},
    {"a journal entry taken out",
     [](Hall& h) { EditLines(h.JournalFile(), [](auto& l) { l.erase(l.begin() + 3); }); },
     FindingKind::JournalGap},
    {"the journal's last entries cut off",
     [](Hall& h) { EditLines(h.JournalFile(), [](auto& l) { l.resize(l.size() - 2); }); },
     FindingKind::JournalGap},
    {"the key file copied back", CopyKeyBack, FindingKind::KeyRolledBack},
    {"the key file copied back, and the program went on",
     [](Hall& h) {
         CopyKeyBack(h);
         h.Checkout("B3", At(22), 5);
     },
     FindingKind::KeyRolledBack},
    {"the clock set back", [](Hall& h) { h.Checkout("B1", At(2), 5); }, FindingKind::ClockBack},
    {"the Durava folder deleted",
     [](Hall& h) {
         std::filesystem::remove_all(h.Durava());
         history::AppendHistoryRecord(h.MonthFile(), RecordOf("A9", At(30), 99));
         h.Checkout("B1", At(40), 5);
     },
     FindingKind::JournalGap},
    {"the settings file changed from outside",
     [](Hall& h) {
         h.journal.Append({journal::Action::SettingsChangedOutside, At(30)});
     },
     FindingKind::SettingsChangedOutside},
    {"the operators file deleted",
     [](Hall& h) {
         ASSERT_EQ(people::SetOwnerPassword(
                       h.Durava(), *people::MakePassword(u"owner-pw", journal::kCheapestCost)),
                   std::nullopt);
         std::filesystem::remove(people::OperatorsFile(h.Durava()));
     },
     FindingKind::OperatorsFileGone},
    {"the owner's file deleted",
     [](Hall& h) {
         OwnersChain(h, {1}, At(20));
         std::filesystem::remove(people::OwnerFile(h.Durava()));
     },
     FindingKind::OwnerFileGone},
    {"the owner's file deleted, the owner's chain begun after the days checked",
     [](Hall& h) {
         OwnersChain(h, {1}, At(60 * 24 * 30));
         std::filesystem::remove(people::OwnerFile(h.Durava()));
     },
     FindingKind::OwnerFileGone},
    {"the operators file emptied while the owner's file says there are some",
     [](Hall& h) {
         OwnersChain(h, {1}, At(20));
         people::Operators one;
         ASSERT_FALSE(one.Add(u"王五", *journal::HashSecret(u"1357", journal::kCheapestCost)));
         ASSERT_EQ(people::SaveOperators(h.Durava(), one), std::nullopt);
         WriteBytes(people::OperatorsFile(h.Durava()), "");
     },
     FindingKind::OperatorsFileGone},
    {"the operators file emptied and the owner's file edited to say there are none",
     [](Hall& h) {
         OwnersChain(h, {1}, At(20));
         h.Checkout("B1", At(21), 5, Gbk("王五"));
     },
     FindingKind::OperatorsFileGone},
    {"the owner removed the last operator",
     [](Hall& h) {
         OwnersChain(h, {1}, At(20));
         h.Checkout("B1", At(21), 5, Gbk("王五"));
         h.journal.Append({journal::Action::OperatorsChanged, At(22), {}, Gbk("王五")});
     },
     std::nullopt},
    {"a slip's head held", [](Hall& h) { h.Checkout("B1", At(20), 5); }, FindingKind::SlipHeadHeld,
     true},
    {"the journal cut back from before a slip",
     [](Hall& h) { EditLines(h.JournalFile(), [](auto& l) { l.resize(l.size() - 2); }); },
     FindingKind::SlipHeadMissing, true},
    {"the journal copied back with its key, at the desk that wrote it",
     [](Hall& h) {
         CopiedBackWhole(h, [](Hall& h) {
             h.Checkout("B1", At(20), 5);
             h.Checkout("B2", At(21), 5);
         });
     },
     FindingKind::DeskHeadMissing},
    {"the desk found the journal behind it at its start",
     [](Hall& h) {
         h.journal.Append(journal::BehindDeskEntry(At(30), {9, {}, "2024/05/06 10:29:00"}));
     },
     FindingKind::DeskHeadMissing},
    {"the desk found a file of ours gone at its start",
     [](Hall& h) { h.journal.Append(journal::FileGoneEntry(At(30), "owner.txt")); },
     FindingKind::OurFileGone},
    {"the owner's key file deleted",
     [](Hall& h) {
         OwnersChain(h, {1}, At(20));
         std::filesystem::remove(journal::KeyFilePath(h.Durava()));
     },
     FindingKind::KeyFileUnusable},
    {"an unprotected desk's key file torn, as a power cut may",
     [](Hall& h) { WriteBytes(journal::KeyFilePath(h.Durava()), "torn"); }, std::nullopt},
    {"the key file made a folder",
     [](Hall& h) {
         std::filesystem::remove(journal::KeyFilePath(h.Durava()));
         std::filesystem::create_directory(journal::KeyFilePath(h.Durava()));
     },
     FindingKind::KeyFileUnusable},
    {"the owner's key deleted, and the owner set the password again",
     [](Hall& h) {
         OwnersChain(h, {1}, At(20));
         h.Checkout("B1", At(21), 5);
         std::filesystem::remove(journal::KeyFilePath(h.Durava()));
         ASSERT_EQ(h.journal.StartChain({1}, journal::ChainReason::OwnerRestart, At(22), {}),
                   std::nullopt);
     },
     FindingKind::KeyFileUnusable},
    {"the owner forgot the password and started over",
     [](Hall& h) {
         OwnersChain(h, {1}, At(20));
         h.Checkout("B1", At(21), 5);
         ASSERT_EQ(h.journal.StartChain({2}, journal::ChainReason::OwnerRestart, At(22), {}),
                   std::nullopt);
     },
     FindingKind::ChainRestarted},
    {"a record deleted and a take-back written later",
     [](Hall& h) {
         const std::string record = h.Checkout("B1", At(20), 5);
         h.Checkout("B2", At(21), 5);
         std::vector<std::string> lines = LinesOf(h.MonthFile());
         std::erase(lines, record);
         WriteLines(h.MonthFile(), lines);
         h.journal.Append(journal::TakenBackEntry(At(20), "B1", record, "x"));
     },
     FindingKind::TakeBackOutOfPlace},
    {"the settings file changed while no program ran",
     [](Hall& h) {
         const std::filesystem::path settings = h.folder / "ROOMSETTING.ini";
         WriteBytes(settings, "[A1]\r\n");
         h.journal.Append(
             journal::NamingSettings({journal::Action::ProgramEnd, At(30)}, ReadBytes(settings)));
         WriteBytes(settings, "[A1]\r\n[A9]\r\n");
     },
     FindingKind::SettingsChangedOutside},
    {"untouched", [](Hall&) {}, std::nullopt},
    {"a checkout taken back by the program",
     [](Hall& h) { h.CheckoutTakenBack("B1", At(20), 5, {}); }, std::nullopt},
    {"copied to another folder and checked there",
     [](Hall& h) {
         std::filesystem::create_directory(h.folder / "home");
         for (const char* folder : {"History", "Durava"}) {
             std::filesystem::copy(h.folder / folder, h.folder / "home" / folder,
                                   std::filesystem::copy_options::recursive);
         }
     },
     std::nullopt, false, "home"},
    {"a kill cut the last journal line short", CutB1ShortByAKill, std::nullopt},
    {"a kill cut a journal line short, and the program went on",
     [](Hall& h) {
         CutB1ShortByAKill(h);
         h.Checkout("B2", At(21), 5);
     },
     std::nullopt},
    {"a kill between an entry and its key, and the program went on",
     [](Hall& h) {
         const std::string key = ReadBytes(journal::KeyFilePath(h.Durava()));
         h.Checkout("B1", At(20), 5);
         WriteBytes(journal::KeyFilePath(h.Durava()), key);
         h.Checkout("B2", At(21), 5);
     },
     std::nullopt},
    {"a kill cut a record short",
     [](Hall& h) {
         const std::string record = RecordOf("B1", At(20), 5);
         history::AppendHistoryRecord(h.MonthFile(), record.substr(0, 30));
         h.Checkout("B1", At(20), 5);
     },
     std::nullopt},
    {"two copies in turn",
     [](Hall& h) {
         journal::Journal other(h.Durava(), journal::Protection::Unkeyed);
         for (int use = 0; use < 4; ++use) {
             h.Checkout(use % 2 ? other : h.journal, "C" + std::to_string(use), At(20 + use), 7);
         }
     },
     std::nullopt},
};

TEST(CheckTest, namesEveryChangeAndNothingThatAKillOrTwoCopiesLeave) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Hall hall;
        Open(hall);
        std::vector<SlipHead> slips;
        if (c.slip) {
            const journal::ChainHead head = *hall.journal.Head();
            slips.push_back({head.entries, journal::Hex(head.last).substr(0, 8)});
        }
        c.act(hall);
        const std::filesystem::path documents = hall.folder / c.copiedTo;
        const CheckReport report = CheckJournal({documents / "History",
                                                 documents / "Durava",
                                                 {2024, 5, 1},
                                                 {2024, 5, 31},
                                                 std::nullopt,
                                                 {},
                                                 slips});
        std::string found;
        for (const Finding& finding : report.findings) {
            found += FindingText(finding) + "\n";
            // Each finding names the time the owner looks for, as the files write times.
            if (!finding.time.empty()) {
                const std::optional<core::CalendarTime> time = core::ReadDateTime(finding.time);
                EXPECT_TRUE(time && time->year == 2024) << finding.time;
            }
        }
        if (c.named) {
            EXPECT_TRUE(Finds(report, *c.named)) << found;
        }
        EXPECT_EQ(IsClean(report), !c.named || !IsTampering(*c.named)) << found;
        // A take-back out of its place takes nothing back: the record is still looked for.
        EXPECT_EQ(Finds(report, FindingKind::RecordDeleted),
                  c.named == FindingKind::TakeBackOutOfPlace ||
                      std::string_view(c.name) == "a record line deleted")
            << found;
        // A record a changed checkout line still names was written by the program.
        if (c.named == FindingKind::EntryChanged) {
            EXPECT_FALSE(Finds(report, FindingKind::RecordNotJournaled)) << found;
        }
        // Only this desk remembers the folder: a copy checked elsewhere says what it cannot see.
        EXPECT_EQ(report.headsHeld, *c.copiedTo == '\0') << found;
        EXPECT_TRUE(report.unkeyedChecked);
        EXPECT_FALSE(report.ownerChecked);
    }
}

TEST(CheckTest, countsWhatItCheckedAndSumsTakingsPerOperator) {
    Hall hall;
    // Two records from before the journal began.
    history::AppendHistoryRecord(hall.MonthFile(), RecordOf("A1", At(-600), 10));
    history::AppendHistoryRecord(hall.MonthFile(), RecordOf("A2", At(-500), 10));
    Open(hall);
    hall.journal.Append(
        {journal::Action::Modify,
         At(30),
         Gbk("张三"),
         "A1",
         {{journal::Field::Before, "240/70/30/20"}, {journal::Field::After, "240/60/30/20"}}});
    const CheckReport report = Check(hall);
    EXPECT_TRUE(IsClean(report));
    EXPECT_EQ(report.entriesChecked, 7u);  // the chain's first, five checkouts, a change
    // The records of the days: those checked against the journal, and those before it.
    EXPECT_EQ(report.recordsChecked, 5u);
    EXPECT_EQ(report.recordsBeforeJournal, 2u);
    EXPECT_TRUE(Finds(report, FindingKind::JournalBegins));
    ASSERT_EQ(report.operators.size(), 2u);
    const OperatorActivity& first =
        report.operators[0].name == Gbk("张三") ? report.operators[0] : report.operators[1];
    EXPECT_EQ(first.yuan, 20 + 40);
    EXPECT_EQ(first.checkouts, 2);
    ASSERT_EQ(first.actions.size(), 1u);
    EXPECT_EQ(first.actions[0].item, "A1");
    EXPECT_EQ(first.actions[0].details[1].value, "240/60/30/20");
    // The takings window reads the same sums from the checkouts alone, leaving out another desk's
    // and a line a kill cut short.
    const std::string record = RecordOf("A9", At(40), 99);
    hall.journal.Append(
        CheckoutEntryOf(At(40), Gbk("张三"), record, hall.folder / "desk2/202405.QY.txt"));
    const std::string cut =
        journal::EntryText(9, CheckoutEntryOf(At(41), Gbk("张三"), record, hall.MonthFile()));
    WriteBytes(hall.JournalFile(), ReadBytes(hall.JournalFile()) + cut);
    const std::optional<std::vector<OperatorActivity>> takings =
        OperatorTakings(hall.Durava(), hall.History(), {2024, 5, 1}, {2024, 5, 31});
    ASSERT_TRUE(takings && takings->size() == 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ((*takings)[i].name, report.operators[i].name);
        EXPECT_EQ((*takings)[i].yuan, report.operators[i].yuan);
        EXPECT_EQ((*takings)[i].checkouts, report.operators[i].checkouts);
    }
    ASSERT_TRUE(report.head);
    EXPECT_EQ(report.head->entries, 7u);
    EXPECT_EQ(SummaryLines(report).front(), Gbk("没有发现改动。"));
}

TEST(CheckTest, theOwnersChainOpensOnlyWithTheOwnersKey) {
    Hall hall;
    Open(hall);
    journal::JournalKey owner{}, other{};
    owner[0] = 1;
    other[0] = 2;
    OwnersChain(hall, owner, At(20));
    hall.Checkout("B1", At(21), 5);
    const CheckReport opened = Check(hall, owner);
    EXPECT_TRUE(IsClean(opened));
    EXPECT_TRUE(opened.ownerChecked && opened.unkeyedChecked);
    EXPECT_TRUE(Finds(Check(hall, other), FindingKind::OtherOwnerKey));
    EXPECT_EQ(Check(hall).entriesUnchecked, 2u);
    // Without the key file, a copy without the owner's password goes on unprotected.
    std::filesystem::remove(journal::KeyFilePath(hall.Durava()));
    journal::Journal unprotected(hall.Durava(), journal::Protection::Unkeyed);
    hall.Checkout(unprotected, "B2", At(22), 5);
    EXPECT_TRUE(Finds(Check(hall, owner), FindingKind::ProtectionOff));
}

TEST(CheckTest, checksDaysInTheMiddleOfTheChain) {
    Hall hall;
    const core::DateTime april = core::ToDateTime({2024, 4, 30, 23, 0, 0});
    // The chain begins in April's journal; A2 ends in May's first second.
    hall.Checkout("A1", april, 10);
    hall.Checkout("A2", april + 1.0 / 24, 20);
    hall.Checkout("A3", At(0), 30);
    const auto check = [&hall](core::CalendarTime first, core::CalendarTime last,
                               std::optional<journal::JournalKey> owner = std::nullopt) {
        return CheckJournal({hall.History(), hall.Durava(), first, last, owner});
    };
    const CheckReport may = check({2024, 5, 1}, {2024, 5, 31});
    EXPECT_TRUE(may.findings.empty());
    EXPECT_EQ(may.entriesChecked, 2u);
    EXPECT_EQ(may.recordsChecked, 2u);
    EXPECT_TRUE(IsClean(check({2024, 4, 28}, {2024, 5, 6})));

    // A record in another month file than its checkout's was moved.
    WriteLines(hall.MonthFile(202404), {LinesOf(hall.MonthFile()).back()});
    EditLines(hall.MonthFile(), [](auto& lines) { lines.pop_back(); });
    EXPECT_TRUE(Finds(check({2024, 5, 1}, {2024, 5, 31}), FindingKind::RecordMoved));

    // An end moved out of the days checked is a change, not a deletion.
    Replace(hall.MonthFile(), "2024/05/01 00:00:00", "2024/06/01 00:00:00");
    const CheckReport moved = check({2024, 5, 1}, {2024, 5, 31});
    EXPECT_TRUE(Finds(moved, FindingKind::RecordChanged));
    EXPECT_FALSE(Finds(moved, FindingKind::RecordDeleted));

    // An owner's chain begun before the days checked stays unchecked without the owner's key.
    Hall owned;
    OwnersChain(owned, {3}, april);
    owned.Checkout("A1", At(0), 10);
    const CheckReport unopened =
        CheckJournal({owned.History(), owned.Durava(), {2024, 5, 1}, {2024, 5, 31}, std::nullopt});
    EXPECT_TRUE(IsClean(unopened));
    EXPECT_EQ(unopened.entriesUnchecked, 1u);
    EXPECT_TRUE(IsClean(CheckJournal(
        {owned.History(), owned.Durava(), {2024, 5, 1}, {2024, 5, 31}, journal::JournalKey{3}})));
    // After a change of password it opens with the earlier key the owner's file keeps; after a
    // start over, which keeps none, it is a chain the password does not open, not changed lines.
    const CheckReport changed = CheckJournal({owned.History(),
                                              owned.Durava(),
                                              {2024, 5, 1},
                                              {2024, 5, 31},
                                              journal::JournalKey{4},
                                              {journal::JournalKey{3}}});
    EXPECT_TRUE(IsClean(changed));
    EXPECT_TRUE(changed.ownerChecked);
    const CheckReport restarted = CheckJournal(
        {owned.History(), owned.Durava(), {2024, 5, 1}, {2024, 5, 31}, journal::JournalKey{4}});
    EXPECT_TRUE(Finds(restarted, FindingKind::OtherOwnerKey));
    EXPECT_FALSE(Finds(restarted, FindingKind::EntryChanged));
    EXPECT_EQ(restarted.entriesUnchecked, 1u);
}

TEST(CheckTest, aLostKeyHealsFromTheJournalOrTheOwnersNewChainNamesItsHead) {
    Hall hall;
    hall.Checkout("A1", At(1), 10);
    WriteBytes(journal::KeyFilePath(hall.Durava()), "torn");
    // Without an owner password the chain's keys are public: it goes on from its newest entry.
    hall.Checkout("A2", At(2), 10);
    EXPECT_EQ(hall.journal.Head()->entries, 3u);
    EXPECT_TRUE(IsClean(Check(hall)));

    const journal::JournalKey owner{7};
    OwnersChain(hall, owner, At(3));
    hall.Checkout("A3", At(4), 10);
    const journal::ChainHead before = *hall.journal.Head();
    std::filesystem::remove(journal::KeyFilePath(hall.Durava()));
    EXPECT_EQ(
        hall.journal.Append({journal::Action::Login, At(5)}),
        (journal::FileTrouble{journal::KeyFilePath(hall.Durava()), journal::FileState::Missing}));
    ASSERT_EQ(hall.journal.StartChain(owner, journal::ChainReason::OwnerRestart, At(6), {}),
              std::nullopt);
    const std::optional<journal::ChainStart> start =
        journal::ReadChainStart(*journal::ReadJournalLine(LinesOf(hall.JournalFile()).back()));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->protection, journal::Protection::Owner);
    EXPECT_EQ(start->before->entries, before.entries);
    EXPECT_EQ(start->before->last, before.last);
    // The chain begun without the key names why, and the check names the key's loss.
    EXPECT_EQ(start->reason, journal::ChainReason::KeyMissing);
    EXPECT_TRUE(Finds(Check(hall, owner), FindingKind::KeyFileUnusable));
}

TEST(CheckTest, aDiskThatFailsMidWriteLeavesWhatTheNextAppendHeals) {
    for (const store::FileStep step : {store::FileStep::Append, store::FileStep::Overwrite}) {
        SCOPED_TRACE(store::FileStepName(step));
        Hall hall;
        hall.Checkout("A1", At(1), 10);
        store::FailFileStep(step, ENOSPC);
        const std::optional<journal::FileTrouble> problem =
            hall.journal.Append({journal::Action::Login, At(2)});
        store::ClearFileFaults();
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->state, journal::FileState::NotWritten);
        EXPECT_EQ(problem->file, step == store::FileStep::Append
                                     ? hall.JournalFile()
                                     : journal::KeyFilePath(hall.Durava()));
        hall.Checkout("A2", At(3), 10);
        EXPECT_TRUE(IsClean(Check(hall)));
        EXPECT_EQ(hall.journal.Head()->entries, step == store::FileStep::Append ? 3u : 4u);
    }
}

// What an operator's till should hold at the shift close, from the journal alone.
TEST(ShiftTest, countsTheCashOfTheOperatorsOpenShift) {
    constexpr int kNoSum = -1, kMay31 = 25 * 1440 + 13 * 60;  // 2024/05/31 23:00
    struct Step {
        int minutes;
        const char* who;
        journal::Action action;
        int yuan = 0;  // of a checkout, and of the checkout a refusal takes back
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::optional<Shift> expected;  // of 张三, a minute after the last step
    };
    const journal::Action in = journal::Action::Login, out = journal::Action::Checkout,
                          close = journal::Action::ShiftClose, back = journal::Action::Refused;
    const char *z = "张三", *l = "李四";
    const Case cases[] = {
        {"two operators interleaved",
         {{0, z, in}, {1, l, in}, {2, z, out, 10}, {3, l, out, 20}, {4, z, out, 30}, {5, l, close}},
         Shift{"2024/05/06 10:00:00", 2, 40}},
        {"across the month end",
         {{kMay31, z, in}, {kMay31 + 20, z, out, 10}, {kMay31 + 90, z, out, 25}},
         Shift{"2024/05/31 23:00:00", 2, 35}},
        {"a close then a new login",
         {{0, z, in}, {10, z, out, 10}, {20, z, close}, {30, z, in}, {40, z, out, 5}},
         Shift{"2024/05/06 10:30:00", 1, 5}},
        {"closed and not logged in again", {{0, z, in}, {20, z, close}}, std::nullopt},
        {"a total that is not a number",
         {{0, z, in}, {10, z, out, 10}, {11, z, out, kNoSum}},
         Shift{"2024/05/06 10:00:00", 2, 10, 1}},
        {"the program started again: the cash stays in the till",
         {{0, z, in},
          {10, z, out, 10},
          {11, "", journal::Action::ProgramEnd},
          {30, z, in},
          {40, z, out, 5}},
         Shift{"2024/05/06 10:00:00", 2, 15}},
        {"journaled twice after a kill, and taken back",
         {{0, z, in}, {1, z, out, 10}, {1, z, out, 10}, {2, z, out, 7}, {2, z, back, 7}},
         Shift{"2024/05/06 10:00:00", 1, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hall hall;
        for (const Step& step : c.steps) {
            const std::string record = RecordOf("A1", At(step.minutes), step.yuan);
            journal::Entry entry =
                CheckoutEntryOf(At(step.minutes), Gbk(step.who), record, hall.MonthFile());
            if (step.yuan == kNoSum) entry.details[3] = {journal::Field::Total, "1.#INF"};
            if (step.action != out) {
                entry = {step.action, At(step.minutes), Gbk(step.who)};
                if (step.action == journal::Action::Refused) {
                    entry.item = "A1";
                    entry.details = {
                        {journal::Field::RecordHash, journal::Hex(journal::Sha256(record))}};
                }
            }
            ASSERT_EQ(hall.journal.Append(entry), std::nullopt);
        }
        EXPECT_EQ(OpenShift(hall.Durava(), Gbk("张三"), At(c.steps.back().minutes + 1)),
                  c.expected);
    }
}

// A checkout journaled again after a kill is one, one taken back is none: the till, the takings
// per operator and the check count as the month files do.
TEST(CheckoutsTest, aKillAndATakeBackCountAsTheMonthFilesDo) {
    Hall hall;
    const std::string z = Gbk("张三");
    ASSERT_EQ(hall.journal.Append({journal::Action::Login, At(0), z}), std::nullopt);
    hall.Checkout("A1", At(1), 10, z);
    hall.CheckoutJournaledAgain("A2", At(2), 20, z);
    hall.CheckoutTakenBack("A3", At(3), 30, z);
    hall.Checkout("A4", At(4), 40, z);
    const core::CalendarTime day{2024, 5, 6};
    const std::optional<history::PeriodTakings> files =
        history::ComputePeriod(hall.History(), day, day);
    ASSERT_TRUE(files);
    const history::Takings& sums = files->takings.total;
    EXPECT_EQ(sums.yuan, 10 + 20 + 40);
    const std::optional<Shift> shift = OpenShift(hall.Durava(), z, At(5));
    ASSERT_TRUE(shift);
    EXPECT_EQ(shift->yuan, sums.yuan);
    EXPECT_EQ(shift->checkouts, sums.uses);
    const CheckReport report = Check(hall);
    EXPECT_TRUE(IsClean(report));
    for (const std::optional<std::vector<OperatorActivity>>& operators :
         {OperatorTakings(hall.Durava(), hall.History(), day, day),
          std::optional(report.operators)}) {
        ASSERT_TRUE(operators && operators->size() == 1u);
        EXPECT_EQ(operators->front().yuan, sums.yuan);
        EXPECT_EQ(operators->front().checkouts, sums.uses);
    }
}

TEST(CheckTest, findingsSpeakTheOwnersWords) {
    const Finding changed{.kind = FindingKind::RecordChanged,
                          .item = Room(),
                          .file = "202405.QY.txt",
                          .line = 3,
                          .time = "2024/05/06 10:13:00"};
    EXPECT_EQ(FindingText(changed),
              Gbk("202405.QY.txt 第 3 行，包间3 的记录被改过（2024/05/06 10:13:00 结账）。"));
    Finding total = changed;
    total.totals = {{110, 100}};
    EXPECT_EQ(FindingText(total), Gbk("202405.QY.txt 第 3 行，包间3 的记录被改过：日志记 110 "
                                      "元，文件里是 100 元（2024/05/06 10:13:00 结账）。"));
    EXPECT_EQ(FindingText({.kind = FindingKind::SettingsChangedOutside}),
              Gbk("ROOMSETTING.ini 现在的内容不是日志最后记下的。"));
    EXPECT_EQ(FindingText({.kind = FindingKind::ChainRestarted,
                           .item = Gbk("张三"),
                           .time = "2024/05/06 10:13:00",
                           .reason = journal::ChainReason::OwnerRestart}),
              Gbk("2024/05/06 10:13:00 店主密码被重设（当班：张三），日志重新开始。"));
    const Finding gap{
        .kind = FindingKind::JournalGap, .until = "2024/05/06 10:40:00", .count = 6, .records = 1};
    EXPECT_EQ(FindingText(gap),
              Gbk("日志缺了 6 条：最早 到 2024/05/06 10:40:00，其间 1 条记录日志里没有。"));
}

}  // namespace
}  // namespace durava::audit::testing
