// SPDX-License-Identifier: MIT
#include "journal/journal.h"

#include <gtest/gtest.h>

#include <functional>

#include "journal/journaltexts.h"
#include "journal/settingsnamed.h"
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

}  // namespace
}  // namespace durava::journal::testing
