// SPDX-License-Identifier: MIT
#include "store/files/fileio_faults.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <set>
#include <string>

#include "history/historyfile.h"
#include "store/files/fileio.h"
#include "store/powercut/powercut_states.h"
#include "store/settings/settings.h"
#include "store/startup.h"
#include "support/temp_folder.h"

namespace durava::store {
namespace {

using testing::Gbk;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr int kErrors[] = {ENOSPC, EACCES, EIO};

// A store's content, or nothing when the file does not exist.
using Content = std::optional<std::string>;

struct Case {
    const char* name;
    Content before;
    std::function<bool(const std::string& path)> operation;
    // An operation that cannot undo its last step may report failure with its work done.
    bool failureMayLeaveNewState = false;
    // Appending creates the file first, so a failure may leave it empty instead of missing.
    bool failureMayLeaveEmptyFile = false;
    // Overwriting in place may tear the record, whose reader must tell.
    bool failureMayTear = false;
};

class FileFaultTest : public ::testing::Test {
  protected:
    void TearDown() override {
        store::ClearFileFaults();
        std::cout << "[ faults   ] " << m_injected << " injected, " << m_refused
                  << " reported as failed\n";
    }

    std::filesystem::path Store() const { return m_folder / "store"; }

    void Reset(const Content& content) {
        std::filesystem::remove_all(m_folder.path());
        std::filesystem::create_directory(m_folder.path());
        if (content) WriteBytes(Store(), *content);
    }

    Content Read() const {
        return std::filesystem::exists(Store()) ? Content(ReadBytes(Store())) : std::nullopt;
    }

    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.path())) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    // Runs the operation once cleanly, then once for every step of the file layer it reaches with
    // that step failing, with each error. The result must tell the truth: false leaves the store as
    // it was, true leaves it as the clean run did, and no other file is ever left in the folder.
    void ExpectTruthfulUnderEveryFault(const Case& c) {
        SCOPED_TRACE(c.name);
        const std::string path = Store().string();
        Reset(c.before);
        ASSERT_TRUE(c.operation(path));
        const Content after = Read();
        const std::set<std::string> entriesAfter = Entries();

        for (store::FileStep step : store::kFileSteps) {
            for (int error : kErrors) {
                Reset(c.before);
                const std::set<std::string> entriesBefore = Entries();
                const int injectedBefore = store::InjectedFileFaults();
                FailFileStep(step, error);
                const bool result = c.operation(path);
                store::ClearFileFaults();
                if (store::InjectedFileFaults() == injectedBefore) {
                    EXPECT_TRUE(result) << FileStepName(step);
                    continue;
                }
                ++m_injected;
                SCOPED_TRACE(::testing::Message()
                             << "step " << FileStepName(step) << ", errno " << error);
                const Content now = Read();
                if (result) {
                    EXPECT_EQ(now, after);
                    EXPECT_EQ(Entries(), entriesAfter);
                    continue;
                }
                ++m_refused;
                const bool asBefore = now == c.before || (c.failureMayLeaveEmptyFile && !c.before &&
                                                          now == std::string());
                const bool asAfter = c.failureMayLeaveNewState && now == after;
                const bool torn =
                    c.failureMayTear && now && c.before && now->size() == c.before->size();
                EXPECT_TRUE(asBefore || asAfter || torn) << (now ? *now : "<missing>");
                EXPECT_TRUE(Entries() == entriesBefore || Entries() == entriesAfter ||
                            (c.failureMayLeaveEmptyFile && Entries().size() == 1))
                    << "a temporary file was left behind";
            }
        }
    }

    TempFolder m_folder;
    int m_injected = 0;
    int m_refused = 0;
};

TEST_F(FileFaultTest, fileLayerOperationsReportEveryFailureAndKeepTheFileWhole) {
    const std::string big(70000, 'x');  // more than one write's worth on some systems
    const Case cases[] = {
        {"replace", "old\r\n",
         [](auto& p) {
             return store::ReplaceFile(p, "new content\r\n") == store::FileProblem::None;
         }},
        {"replace missing", std::nullopt,
         [](auto& p) { return store::ReplaceFile(p, "new\r\n") == store::FileProblem::None; }},
        {"replace big", big,
         [&big](auto& p) { return store::ReplaceFile(p, big + big) == store::FileProblem::None; }},
        {"append", "r1\r\n", [](auto& p) { return store::AppendToFile(p, "r2\r\n", "\r\n"); }},
        {"append to unfinished line", "r1",
         [](auto& p) { return store::AppendToFile(p, "r2\r\n", "\r\n"); }},
        {"append big", big, [&big](auto& p) { return store::AppendToFile(p, big, "\r\n"); }},
        {"append creates", std::nullopt,
         [](auto& p) { return store::AppendToFile(p, "r1\r\n", "\r\n"); }, false, true},
        {"take back", "r1\r\nr2\r\n", [](auto& p) { return store::TakeBackAppend(p, 4, "r2\r\n"); },
         true},
        {"overwrite", "old key\r\n",
         [](auto& p) { return store::OverwriteFile(p, "new key\r\n") == store::FileProblem::None; },
         false, false, true},
        {"overwrite missing", std::nullopt,
         [](auto& p) { return store::OverwriteFile(p, "key\r\n") == store::FileProblem::None; }},
        {"read end", "r1\r\nr2\r\n",
         [](auto& p) { return store::ReadFileEnd(p, 4) == "r2\r\n" && store::ReadFileEnd(p, 9); }},
    };
    for (const Case& c : cases) ExpectTruthfulUnderEveryFault(c);
}

TEST_F(FileFaultTest, settingsWritesFailWholeOrLandWhole) {
    const std::string items =
        Gbk("; "
            "房间\r\n[A1]\r\n初始时段=240\r\n状态=空闲中\r\n开始时间=无\r\n\r\n[包间]\r\n状态="
            "使用中\r\n");
    const std::string started = Gbk("使用中"), start = "2024/05/06 14:05:09";
    const Case cases[] = {
        {"write one", items,
         [&](auto& p) { return store::SettingsFile(p).WriteSetting("A1", Gbk("状态"), started); }},
        {"write new key", items,
         [&](auto& p) { return store::SettingsFile(p).WriteSetting("A1", "k", "v"); }},
        {"write first", std::nullopt,
         [&](auto& p) { return store::SettingsFile(p).WriteSetting("A1", Gbk("状态"), started); }},
        {"write batch", items,
         [&](auto& p) {
             const std::string room = Gbk("包间"), state = Gbk("状态"), since = Gbk("开始时间");
             const std::string idle = Gbk("空闲中"), none = Gbk("无"), period = Gbk("初始时段");
             const store::SettingWrite writes[] = {{room, state, idle},
                                                   {room, since, none},
                                                   {"B2", period, "60"},
                                                   {"B2", since, start}};
             return store::SettingsFile(p).WriteSettings(writes);
         }},
        {"remove section", items,
         [&](auto& p) { return store::SettingsFile(p).RemoveSection("A1"); }},
        {"remove last section", items,
         [&](auto& p) { return store::SettingsFile(p).RemoveSection(Gbk("包间")); }},
    };
    for (const Case& c : cases) ExpectTruthfulUnderEveryFault(c);
}

TEST_F(FileFaultTest, historyAppendsFailWithoutATornRecord) {
    const std::string record = Gbk("A1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 分 0 秒");
    const Case cases[] = {
        {"append record", record + "\r\n",
         [&](auto& p) { return history::AppendHistoryRecord(p, record); }},
        {"first record", std::nullopt,
         [&](auto& p) { return history::AppendHistoryRecord(p, record); }, false, true},
        {"take back record", record + "\r\n" + record + "\r\n",
         [&](auto& p) { return history::RemoveLastHistoryRecord(p, record, record.size() + 2); },
         true},
    };
    for (const Case& c : cases) ExpectTruthfulUnderEveryFault(c);
}

TEST_F(FileFaultTest, cachedSettingsAreNotTrustedAfterAFailedLook) {
    const std::string items = "[A]\r\nk=1\r\n[B]\r\nk=2\r\n";
    Reset(items);
    store::SettingsFile settings(Store().string());
    ASSERT_EQ(settings.ReadSetting("B", "k"), "2");
    for (int error : kErrors) {
        store::FailFileStep(store::FileStep::Look, error);
        EXPECT_FALSE(settings.WriteSetting("A", "k", "9"));
        store::ClearFileFaults();
        EXPECT_EQ(ReadBytes(Store()), items);
        // A look that fails reads what the file last held, never the defaults.
        FailFileStep(store::FileStep::OpenToRead, error);
        WriteBytes(Store(), "[A]\r\nk=1\r\n[B]\r\nk=3\r\n");
        EXPECT_EQ(settings.ReadSetting("B", "k", "default"), "2");
        store::ClearFileFaults();
        EXPECT_EQ(settings.ReadSetting("B", "k", "default"), "3");
        WriteBytes(Store(), items);
        EXPECT_EQ(settings.ReadSetting("B", "k", "default"), "2");
    }
    // Once the disk answers again, writes go through and keep the other sections.
    ASSERT_TRUE(settings.WriteSetting("A", "k", "9"));
    EXPECT_EQ(ReadBytes(Store()), "[A]\r\nk=9\r\n[B]\r\nk=2\r\n");
    m_injected += 6;
    m_refused += 3;
}

TEST_F(FileFaultTest, aTornRecordThatCannotBeCutBackStaysOnALineOfItsOwn) {
    const std::string first = "A1@x@y", second = "B2@x@y", third = "C3@x@y";
    Reset(first + "\r\n");
    const std::string path = Store().string();
    store::FailFileStep(store::FileStep::Append, ENOSPC);
    FailFileStep(store::FileStep::Truncate, EIO);
    EXPECT_FALSE(history::AppendHistoryRecord(path, second));
    store::ClearFileFaults();
    m_injected += 2;
    m_refused += 1;
    ASSERT_TRUE(history::AppendHistoryRecord(path, third));

    const history::HistoryMonth month = history::ReadHistoryMonth(path);
    ASSERT_EQ(month.RecordCount(), 3u);
    EXPECT_EQ(month.Field(0, 0), "A1");
    EXPECT_EQ(month.Field(2, 0), "C3");
    EXPECT_EQ(month.FieldCount(2), 3u);
}

// What a power cut leaves of a folder made, a file appended to in it and a file replaced: the
// data as flushed, none, all or part of what was not, and names made or renamed lost until their
// folder is flushed. The changes are those of the file layer, in its order.
TEST(PowerCutTest, aCutKeepsWhatWasFlushedAndLosesOrTearsTheRest) {
    TempFolder folder;
    WriteBytes(folder / "s", "old");
    StartRecording(folder.path());
    ASSERT_TRUE(CreateDirectoryTree(folder / "H"));
    ASSERT_TRUE(AppendToFile(folder / "H" / "m", "r1\r\n", "\r\n"));
    ASSERT_EQ(ReplaceFile(folder / "s", "new"), FileProblem::None);
    const DiskRecording recording = StopRecording();
    ASSERT_EQ(recording.changes.size(), 11u);
    const auto states = [&](std::size_t cut) {
        const std::vector<FolderState> left = StatesAfterCut(recording, cut);
        return std::set<FolderState>(left.begin(), left.end());
    };
    const FolderState start{{"s", "old"}};
    EXPECT_EQ(states(0), std::set{start});
    EXPECT_EQ(states(1), (std::set<FolderState>{start, {{"H", std::nullopt}, {"s", "old"}}}));
    // Written, not flushed: the name of m may land with none, all or part of its record.
    FolderState withH{{"H", std::nullopt}, {"s", "old"}};
    std::set<FolderState> expected{withH};
    for (const char* data : {"", "r1", "r1\r", "r1\r\n"}) {
        FolderState withM = withH;
        withM["H/m"] = data;
        expected.insert(withM);
    }
    EXPECT_EQ(states(4), expected);
    // Renamed, not yet flushed: the old content or the new, never a mix or an empty file.
    withH["H/m"] = "r1\r\n";
    FolderState replaced = withH;
    replaced["s"] = "new";
    EXPECT_EQ(states(10), (std::set{withH, replaced}));
    EXPECT_EQ(states(11), std::set{replaced});
}

}  // namespace
}  // namespace durava::store
