// SPDX-License-Identifier: MIT
// Two real copies of the program doing random operations on one folder at once: every use that
// was started is billed exactly once, no record lacks its use, no acknowledged write is lost, and
// the settings file stays whole; also when each copy has a Documents folder of its own whose
// ROOMSETTING.ini links to one shared file.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "audit/check.h"
#include "audit/checktexts.h"
#include "copies_script.h"
#include "core/fixedtexts.h"
#include "core/utf8.h"
#include "history/historyfile.h"
#include "journal/files/ourfiles.h"
#include "operations/operations.h"
#include "store/startup.h"
#include "support/child_process.h"
#include "support/settings_sections.h"
#include "support/temp_folder.h"
#include "support/test_seed.h"

namespace durava::copies_script {
namespace {

constexpr int kCopies = 2;
constexpr int kSteps = 300;

testing::ChildProcess Start(const std::string& folder, int copy, unsigned seed) {
    return testing::ChildProcess(
        DURAVA_COPY_RUNNER,
        {folder, std::to_string(copy), std::to_string(seed), std::to_string(kSteps)});
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The Documents folder of each copy, each with its History; all of them reach one settings file.
void RunCopies(const std::vector<std::string>& documents) {
    for (const std::string& folder : documents)
        std::filesystem::create_directory(folder + "History");
    store::SettingsFile settings(documents[0] + "ROOMSETTING.ini");
    journal::Journal journal(journal::DuravaFolder(settings.Path()), journal::Protection::Unkeyed);
    operations::Journaling journaling{journal};
    operations::Store store{settings, documents[0] + "History/", store::kLockPatience, &journaling};
    core::SetClock([] { return ClockOf(0, 0); });
    for (const std::string& item : SharedItems()) {
        ASSERT_EQ(operations::SaveItem(store, item, {"60", "10", "15", "20"}),
                  operations::Outcome::Done);
    }

    const unsigned seed = testing::TestSeed();
    SCOPED_TRACE(::testing::Message()
                 << "seed " << seed << "; DURAVA_TEST_SEED=" << seed << " replays this run");
    std::vector<testing::ChildProcess> copies;
    for (int copy = 0; copy < kCopies; ++copy) {
        copies.push_back(Start(documents[static_cast<std::size_t>(copy) % documents.size()], copy,
                               seed + static_cast<unsigned>(copy)));
        ASSERT_TRUE(copies.back().Started());
        copies.back().ReadUntil("ready\n");
    }
    for (testing::ChildProcess& copy : copies) ASSERT_TRUE(copy.Write("g"));
    for (testing::ChildProcess& copy : copies) {
        copy.ReadToEnd();
        ASSERT_EQ(copy.Wait(), 0) << copy.Told();
    }

    // What the copies were told: the uses begun and billed, the last write of each own item.
    std::multiset<std::string> started, billed;
    std::map<std::string, std::string> ownItems;  // item -> last initial period, "" when deleted
    std::map<int, int> outcomes;
    for (const testing::ChildProcess& copy : copies) {
        for (const std::string& line : Lines(copy.Told())) {
            std::istringstream words(line);
            std::string word, a, b;
            words >> word;
            std::getline(words >> std::ws, a);
            if (word == "start") started.insert(a);
            if (word == "billed") billed.insert(a);
            if (word == "saved") ownItems[a.substr(0, a.find(' '))] = a.substr(a.find(' ') + 1);
            if (word == "deleted") ownItems[a] = "";
            if (word == "outcome") outcomes[std::stoi(a)] += std::stoi(a.substr(a.find(' ')));
        }
    }
    // Whole sections of the six keys in their order, each name once.
    EXPECT_EQ(testing::ReadWholeSections(testing::ReadBytes(settings.Path())).fault, "");

    // The uses still running are billed now, as the operator would at closing time.
    const core::DateTime closing = core::ToDateTime({2024, 6, 1, 23, 0, 0});
    core::SetClock([closing] { return closing; });
    for (const std::string& item : SharedItems()) {
        if (!operations::IsInUse(settings, item)) continue;
        const operations::Bill bill = operations::ComputeBill(settings, item, closing);
        ASSERT_EQ(operations::Checkout(store, bill), operations::Outcome::Done) << item;
        billed.insert(bill.Start());
    }

    std::multiset<std::string> recorded;
    for (const std::string& folder : documents) {
        for (const char* month : {"202405.QY.txt", "202406.QY.txt"}) {
            const history::HistoryMonth records =
                history::ReadHistoryMonth(folder + "History/" + month);
            for (std::size_t r = 0; r < records.RecordCount(); ++r) {
                ASSERT_EQ(records.FieldCount(r), 11u);
                recorded.insert(std::string(records.Field(r, 1)));
            }
        }
    }
    std::size_t doubled = 0, lost = 0;
    for (auto use = started.begin(); use != started.end(); use = started.upper_bound(*use)) {
        const std::size_t count = recorded.count(*use);
        doubled += count > 1 ? count - 1 : 0;
        lost += count == 0 ? 1 : 0;
    }
    core::SetClock({});
    // One journal, in one order, whose entries and each desk's records the check reads clean. Each
    // copy's clock is its own, step by step, so one may run minutes ahead of the other: its times
    // going back are the test's, not a fault.
    std::uint64_t checkedRecords = 0;
    for (const std::string& folder : documents) {
        const audit::CheckReport report =
            audit::CheckJournal({folder + "History",
                                 journal::DuravaFolder(settings.Path()),
                                 {2024, 5, 1},
                                 {2024, 6, 30}});
        for (const audit::Finding& finding : report.findings) {
            EXPECT_TRUE(!audit::IsTampering(finding.kind) ||
                        finding.kind == audit::FindingKind::ClockBack)
                << core::WideToUtf8(core::TextToWide(audit::FindingText(finding)));
        }
        checkedRecords += report.recordsChecked;
    }
    EXPECT_EQ(checkedRecords, recorded.size());
    EXPECT_EQ(billed, started) << "a use billed twice or never";
    EXPECT_EQ(recorded, started) << "a record without its use, or a use without its record";
    for (const auto& [item, period] : ownItems) {
        EXPECT_EQ(settings.ReadSetting(item, core::Texts().initialPeriod), period) << item;
        EXPECT_EQ(settings.HasSection(item), !period.empty()) << item;
    }
    std::cout << "[ copies   ] " << kCopies << " copies x " << kSteps << " operations in "
              << documents.size() << " folders: " << started.size() << " uses, " << recorded.size()
              << " records, " << doubled << " doubled, " << lost << " lost; " << ownItems.size()
              << " own items checked; outcomes";
    for (const auto& [outcome, count] : outcomes) std::cout << " " << outcome << ":" << count;
    std::cout << "\n";
    EXPECT_GT(started.size(), 10u);
}

TEST(CopiesTest, twoCopiesAtOnceNeverLoseOrDoubleAUse) {
    testing::TempFolder folder;
    RunCopies({folder.text()});
}

TEST(CopiesTest, twoDesksWhoseSettingsLinkToOneFileShareItsLock) {
    testing::TempFolder folder;
    std::filesystem::create_directory(folder / "shared");
    std::vector<std::string> desks;
    for (const char* desk : {"desk1", "desk2"}) {
        std::filesystem::create_directory(folder / desk);
        std::error_code error;
        std::filesystem::create_symlink("../shared/ROOMSETTING.ini",
                                        folder / desk / "ROOMSETTING.ini", error);
        if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
        desks.push_back((folder / desk).string() + store::kPathSeparator);
    }
    RunCopies(desks);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "shared" / "ROOMSETTING.ini"));
}

}  // namespace
}  // namespace durava::copies_script
