// SPDX-License-Identifier: MIT
#include "journal/journal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "audit/checktexts.h"
#include "audit/shift.h"
#include "journal/journaltexts.h"
#include "journal/settingsnamed.h"
#include "store/files/fileio_faults.h"
#include "support/hall.h"

namespace durava::journal::testing {
namespace {

using namespace durava::testing;

TEST(JournalLineTest, readsBackWhatItWrites) {
    const Entry entry{Action::Refused,
                      At(0),
                      Gbk("张三"),
                      Gbk("包间3"),
                      {{Field::RefusedAction, Gbk("结账")}, {Field::Reason, "a\tb\\c\r\n\x01"}}};
    const std::string line = JournalLine(EntryText(42, entry), Sha256("mac"));
    ASSERT_TRUE(line.ends_with("\r\n"));
    EXPECT_EQ(line.find('\n'), line.size() - 1);  // a person reads one entry per line
    EXPECT_NE(line.find("42\t2024/05/06 10:00:00\t张三\t操作被拒\t包间3\t操作=结账\t"),
              std::string::npos);
    const std::optional<ReadLine> read =
        ReadJournalLine(std::string_view(line).substr(0, line.size() - 2));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->seq, 42u);
    EXPECT_EQ(read->action, Action::Refused);
    EXPECT_EQ(read->mac, Sha256("mac"));
    EXPECT_EQ(ProgramText(read->item), Gbk("包间3"));
    const std::vector<Detail> details = DetailsOf(*read);
    ASSERT_EQ(details.size(), 2u);
    EXPECT_EQ(details[1].value, "a\tb\\c\r\n\x01");
    for (const std::size_t cut : {line.size() - 3, line.size() / 2, std::size_t{3}}) {
        EXPECT_FALSE(ReadJournalLine(std::string_view(line).substr(0, cut))) << cut;
    }
}

TEST(JournalLineTest, aTornKeyRecordIsToldFromAWholeOne) {
    ChainState state = NewChain(kPublicJournalKey);
    Seal(state, {Action::ProgramStart, At(0)}, 202405);
    const std::string record = KeyRecord(state);
    const std::optional<ChainState> read = ReadKeyRecord(record);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->next, 2u);
    EXPECT_EQ(read->key, state.key);
    EXPECT_EQ(read->last, state.last);
    EXPECT_EQ(read->lastMonth, 202405);
    std::string flipped = record;
    flipped[30] ^= 1;
    for (const std::string& torn : {record.substr(0, record.size() / 2), flipped}) {
        EXPECT_FALSE(ReadKeyRecord(torn));
    }
}

TEST(JournalTest, keepsOneChainAndItsHead) {
    Hall hall;
    hall.Checkout("A1", At(1), 10);
    hall.Checkout("A2", At(2), 20);
    const std::vector<std::string> lines = LinesOf(hall.JournalFile());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(ReadJournalLine(lines[0])->action, Action::NewChain);
    const std::optional<ChainHead> head = hall.journal.Head();
    ASSERT_TRUE(head);
    EXPECT_EQ(head->entries, 3u);
    EXPECT_EQ(head->last, ReadJournalLine(lines[2])->mac);
    EXPECT_EQ(HeadText(*head), Gbk("日志 3 条 ") + Hex(head->last).substr(0, 8));
    // A new month's entries go to its own file and go on with the chain.
    hall.journal.Append({Action::ProgramEnd, At(60 * 24 * 30)});
    EXPECT_EQ(ReadJournalLine(LinesOf(hall.JournalFile(202406)).at(0))->seq, 4u);
}

// The settings file last named lies behind entries that name none, in last month's file; a
// checkout's naming keeps the one before it, which a kill before its idle write leaves.
TEST(JournalTest, findsTheSettingsFileLastNamed) {
    Hall hall;
    EXPECT_FALSE(LastSettingsNamed(hall.Durava()));
    hall.journal.Append({Action::ProgramStart, At(0), {}, {}, {SettingsDetail("before")}});
    hall.journal.Append({Action::Checkout, At(1), {}, "A1", {SettingsDetail("idle")}});
    for (const int day : {0, 31}) {
        for (int minute = 0; minute < 50; ++minute) {
            hall.journal.Append({Action::ProgramEnd, At(60 * 24 * day + minute + 2)});
        }
    }
    const std::optional<SettingsNamed> named = LastSettingsNamed(hall.Durava());
    ASSERT_TRUE(named);
    EXPECT_EQ(named->last, Hex(Sha256("idle")));
    EXPECT_TRUE(named->Names(Hex(Sha256("before"))));
    EXPECT_FALSE(named->Names(Hex(Sha256("by hand"))));
}

struct FaultCase {
    const char* name;
    Protection protection;
    std::function<void(Hall&)> spoil;  // after one entry
    std::function<std::filesystem::path(const Hall&)> file;
    Fault fault;
};

std::filesystem::path KeyFile(const Hall& hall) {
    return KeyFilePath(hall.Durava());
}

TEST(JournalTest, refusesWithTheFileAndWhyWhenTheOwnerAsksForIt) {
    const auto journal = [](const Hall& h) { return h.JournalFile(); };
    const FaultCase cases[] = {
        {"key file missing", Protection::Owner,
         [](Hall& h) { std::filesystem::remove(KeyFile(h)); }, KeyFile, Fault::Missing},
        {"key file damaged", Protection::Owner,
         [](Hall& h) { WriteBytes(KeyFile(h), "DURAVA KEY 1 0"); }, KeyFile, Fault::Damaged},
        {"key file behind the journal", Protection::Owner,
         [](Hall& h) {
             const std::string key = ReadBytes(KeyFile(h));
             h.journal.Append({Action::Login, At(2)});
             h.journal.Append({Action::Logout, At(2)});
             WriteBytes(KeyFile(h), key);
         },
         KeyFile, Fault::KeyBehind},
        {"journal file missing", Protection::Owner,
         [](Hall& h) { std::filesystem::remove(h.JournalFile()); }, journal, Fault::Missing},
        {"key file a folder", Protection::Unkeyed,
         [](Hall& h) {
             std::filesystem::remove(KeyFile(h));
             std::filesystem::create_directory(KeyFile(h));
         },
         KeyFile, Fault::Folder},
        {"journal file read-only", Protection::Unkeyed,
         [](Hall& h) {
             std::filesystem::permissions(h.JournalFile(), std::filesystem::perms::owner_read);
         },
         journal, Fault::ReadOnly},
        {"key file read-only", Protection::Unkeyed,
         [](Hall& h) {
             std::filesystem::permissions(KeyFile(h), std::filesystem::perms::owner_read);
         },
         KeyFile, Fault::ReadOnly},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        Hall hall;
        hall.journal = Journal(hall.Durava(), c.protection);
        if (c.protection == Protection::Owner) {
            ASSERT_EQ(hall.journal.StartChain({1}, ChainReason::OwnerPassword, At(0), {}),
                      std::nullopt);
        }
        hall.journal.Append({Action::Login, At(1)});
        c.spoil(hall);
        const JournalProblem problem{c.file(hall), c.fault};
        EXPECT_EQ(hall.journal.Ready(At(3)), problem);
        EXPECT_EQ(hall.journal.Append({Action::Logout, At(3)}), problem);
        EXPECT_NE(ProblemText(problem).find(Gbk("无法记日志")), std::string::npos);
    }
}

TEST(JournalTest, aLostKeyHealsFromTheJournalOrTheOwnersNewChainNamesItsHead) {
    Hall hall;
    hall.Checkout("A1", At(1), 10);
    WriteBytes(KeyFilePath(hall.Durava()), "torn");
    // Without an owner password the chain's keys are public: it goes on from its newest entry.
    hall.Checkout("A2", At(2), 10);
    EXPECT_EQ(hall.journal.Head()->entries, 3u);
    EXPECT_TRUE(audit::IsClean(hall.Check()));

    const JournalKey owner{7};
    hall.OwnersChain(owner, At(3));
    hall.Checkout("A3", At(4), 10);
    const ChainHead before = *hall.journal.Head();
    std::filesystem::remove(KeyFilePath(hall.Durava()));
    EXPECT_EQ(hall.journal.Append({Action::Login, At(5)}),
              (JournalProblem{KeyFilePath(hall.Durava()), Fault::Missing}));
    ASSERT_EQ(hall.journal.StartChain(owner, ChainReason::OwnerRestart, At(6), {}), std::nullopt);
    const std::optional<ChainStart> start =
        ReadChainStart(*ReadJournalLine(LinesOf(hall.JournalFile()).back()));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->protection, Protection::Owner);
    EXPECT_EQ(start->before->entries, before.entries);
    EXPECT_EQ(start->before->last, before.last);
    EXPECT_TRUE(audit::IsClean(hall.Check(owner)));
}

TEST(JournalTest, aDiskThatFailsMidWriteLeavesWhatTheNextAppendHeals) {
    for (const store::FileStep step : {store::FileStep::Append, store::FileStep::Overwrite}) {
        SCOPED_TRACE(store::FileStepName(step));
        Hall hall;
        hall.Checkout("A1", At(1), 10);
        store::FailFileStep(step, ENOSPC);
        const std::optional<JournalProblem> problem = hall.journal.Append({Action::Login, At(2)});
        store::ClearFileFaults();
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->fault, Fault::NotWritten);
        EXPECT_EQ(problem->file, step == store::FileStep::Append ? hall.JournalFile()
                                                                 : KeyFilePath(hall.Durava()));
        hall.Checkout("A2", At(3), 10);
        EXPECT_TRUE(audit::IsClean(hall.Check()));
        EXPECT_EQ(hall.journal.Head()->entries, step == store::FileStep::Append ? 3u : 4u);
    }
}

// What an operator's till should hold at the shift close, from the journal alone.
TEST(ShiftTest, countsTheCashOfTheOperatorsOpenShift) {
    constexpr int kNoSum = -1, kMay31 = 25 * 1440 + 13 * 60;  // 2024/05/31 23:00
    struct Step {
        int minutes;
        const char* who;
        Action action;
        int yuan = 0;  // of a checkout, and of the checkout a refusal takes back
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::optional<audit::Shift> expected;  // of 张三, a minute after the last step
    };
    const Action in = Action::Login, out = Action::Checkout, close = Action::ShiftClose,
                 back = Action::Refused;
    const char *z = "张三", *l = "李四";
    const Case cases[] = {
        {"two operators interleaved",
         {{0, z, in}, {1, l, in}, {2, z, out, 10}, {3, l, out, 20}, {4, z, out, 30}, {5, l, close}},
         audit::Shift{"2024/05/06 10:00:00", 2, 40}},
        {"across the month end",
         {{kMay31, z, in}, {kMay31 + 20, z, out, 10}, {kMay31 + 90, z, out, 25}},
         audit::Shift{"2024/05/31 23:00:00", 2, 35}},
        {"a close then a new login",
         {{0, z, in}, {10, z, out, 10}, {20, z, close}, {30, z, in}, {40, z, out, 5}},
         audit::Shift{"2024/05/06 10:30:00", 1, 5}},
        {"closed and not logged in again", {{0, z, in}, {20, z, close}}, std::nullopt},
        {"a total that is not a number",
         {{0, z, in}, {10, z, out, 10}, {11, z, out, kNoSum}},
         audit::Shift{"2024/05/06 10:00:00", 2, 10, 1}},
        {"the program started again: the cash stays in the till",
         {{0, z, in}, {10, z, out, 10}, {11, "", Action::ProgramEnd}, {30, z, in}, {40, z, out, 5}},
         audit::Shift{"2024/05/06 10:00:00", 2, 15}},
        {"journaled twice after a kill, and taken back",
         {{0, z, in}, {1, z, out, 10}, {1, z, out, 10}, {2, z, out, 7}, {2, z, back, 7}},
         audit::Shift{"2024/05/06 10:00:00", 1, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Hall hall;
        for (const Step& step : c.steps) {
            const std::string record = RecordOf("A1", At(step.minutes), step.yuan);
            Entry entry = CheckoutEntry(At(step.minutes), Gbk(step.who), record, hall.MonthFile());
            if (step.yuan == kNoSum) entry.details[3] = {Field::Total, "1.#INF"};
            if (step.action != out) {
                entry = {step.action, At(step.minutes), Gbk(step.who)};
                if (step.action == Action::Refused) {
                    entry.item = "A1";
                    entry.details = {{Field::RecordHash, Hex(Sha256(record))}};
                }
            }
            ASSERT_EQ(hall.journal.Append(entry), std::nullopt);
        }
        EXPECT_EQ(audit::OpenShift(hall.Durava(), Gbk("张三"), At(c.steps.back().minutes + 1)),
                  c.expected);
    }
}

}  // namespace
}  // namespace durava::journal::testing
