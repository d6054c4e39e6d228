// SPDX-License-Identifier: MIT
#include "journal/journal.h"

#include <gtest/gtest.h>

#include <functional>

#include "journal/deskmemory.h"
#include "journal/entries.h"
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
    std::string flipped = record, parted = record;
    flipped[30] ^= 1;
    parted[record.size() - 2 - 16 - 1] = '2';  // the blank before the checksum
    for (const std::string& torn : {record.substr(0, record.size() / 2), flipped, parted}) {
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

// Outside the folder the desk remembers the head it wrote and the files beside it: a journal
// copied back with its key, or a file deleted, leaves the memory ahead.
TEST(JournalTest, theDeskRemembersWhatCopyingBackTakesAway) {
    Hall hall;
    hall.Checkout("A1", At(1), 10);
    const std::string journal = ReadBytes(hall.JournalFile()),
                      key = ReadBytes(KeyFilePath(hall.Durava()));
    hall.Checkout("A2", At(2), 20);
    const std::optional<DeskMemory> memory = RecallDesk(hall.Durava());
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->head, *hall.journal.Head());
    EXPECT_EQ(memory->files, std::vector<std::string>{"key"});
    EXPECT_TRUE(JournalHolds(hall.Durava(), memory->head));
    EXPECT_TRUE(FilesGone(hall.Durava(), *memory).empty());

    WriteBytes(hall.JournalFile(), journal);
    WriteBytes(KeyFilePath(hall.Durava()), key);
    EXPECT_FALSE(JournalHolds(hall.Durava(), memory->head));
    std::filesystem::remove(KeyFilePath(hall.Durava()));
    EXPECT_EQ(FilesGone(hall.Durava(), *memory), std::vector<std::string>{"key"});
    // A folder this desk never wrote to, as a copy checked at home, is remembered nowhere.
    Hall elsewhere;
    EXPECT_FALSE(RecallDesk(elsewhere.Durava()));
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
    FileState state;
};

std::filesystem::path KeyFile(const Hall& hall) {
    return KeyFilePath(hall.Durava());
}

TEST(JournalTest, refusesWithTheFileAndWhyWhenTheOwnerAsksForIt) {
    const auto journal = [](const Hall& h) { return h.JournalFile(); };
    const FaultCase cases[] = {
        {"key file missing", Protection::Owner,
         [](Hall& h) { std::filesystem::remove(KeyFile(h)); }, KeyFile, FileState::Missing},
        {"key file damaged", Protection::Owner,
         [](Hall& h) { WriteBytes(KeyFile(h), "DURAVA KEY 1 0"); }, KeyFile, FileState::Damaged},
        {"key file behind the journal", Protection::Owner,
         [](Hall& h) {
             const std::string key = ReadBytes(KeyFile(h));
             h.journal.Append({Action::Login, At(2)});
             h.journal.Append({Action::Logout, At(2)});
             WriteBytes(KeyFile(h), key);
         },
         KeyFile, FileState::KeyBehind},
        {"journal file missing", Protection::Owner,
         [](Hall& h) { std::filesystem::remove(h.JournalFile()); }, journal, FileState::Missing},
        {"key file a folder", Protection::Unkeyed,
         [](Hall& h) {
             std::filesystem::remove(KeyFile(h));
             std::filesystem::create_directory(KeyFile(h));
         },
         KeyFile, FileState::Folder},
        {"journal file read-only", Protection::Unkeyed,
         [](Hall& h) {
             std::filesystem::permissions(h.JournalFile(), std::filesystem::perms::owner_read);
         },
         journal, FileState::ReadOnly},
        {"key file read-only", Protection::Unkeyed,
         [](Hall& h) {
             std::filesystem::permissions(KeyFile(h), std::filesystem::perms::owner_read);
         },
         KeyFile, FileState::ReadOnly},
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
        const FileTrouble problem{c.file(hall), c.state};
        EXPECT_EQ(hall.journal.Ready(At(3)), problem);
        EXPECT_EQ(hall.journal.Append({Action::Logout, At(3)}), problem);
        EXPECT_NE(ProblemText(problem).find(Gbk("无法记日志")), std::string::npos);
    }
}

// The two messages that name a file: the journal's, and that of a protected action not done.
TEST(JournalTest, eachFileStateIsToldInItsOwnWords) {
    const std::filesystem::path file = "Durava/key";
    const struct {
        FileState state;
        const char *why, *notDone;
    } cases[] = {
        {FileState::Missing, "不存在", "找不到文件 Durava/key，"},
        {FileState::Unreadable, "无法读取", "无法读取文件 Durava/key，"},
        {FileState::NotAFile, "不是普通文件", "Durava/key 不是普通文件，"},
        {FileState::Folder, "是一个文件夹", "Durava/key 是文件夹，不是文件，"},
        {FileState::ReadOnly, "是只读的", "Durava/key 是只读文件，无法保存，"},
        {FileState::Damaged, "已损坏", "文件 Durava/key 的内容有误，"},
        {FileState::NotWritten, "写不进去", "无法写入文件 Durava/key，"},
        {FileState::KeyBehind, "比日志旧", "文件 Durava/key 比日志旧，"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProblemText({file, c.state}),
                  Gbk("无法记日志：Durava/key ") + Gbk(c.why) + Gbk("。"));
        EXPECT_EQ(FileTroubleText({file, c.state}), Gbk(c.notDone) + Gbk("操作没有进行。"));
    }
    EXPECT_EQ(FileTroubleText({file, FileState::Ok}), "");
}

}  // namespace
}  // namespace durava::journal::testing
