// SPDX-License-Identifier: MIT
// Every operation with each step of the file layer failing in turn: the outcome says it failed
// exactly when the files hold what they held before, and otherwise they hold the whole new state.
// And every operation cut by a power cut after each of its steps.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

#include "audit/check.h"
#include "history/takings.h"
#include "journal/files/ourfiles.h"
#include "journal/journal.h"
#include "operations/operations.h"
#include "store/files/fileio_faults.h"
#include "store/powercut/powercut_states.h"
#include "store/startup.h"
#include "support/settings_sections.h"
#include "support/temp_folder.h"

namespace durava::operations {
namespace {

using testing::Gbk;
using testing::ItemSection;
using testing::kDefaultTariff;
using testing::ReadBytes;

const std::string kItems =
    ItemSection("A").Tariff(kDefaultTariff).Idle() +
    ItemSection("B").Tariff(kDefaultTariff).InUse("2024/05/06 13:00:00") +
    ItemSection("C").Tariff({.period = "60", .fee = "10", .unit = "15", .price = "30"}).Idle();
const core::DateTime kNow = core::ToDateTime({2024, 5, 6, 18, 31, 0});

// Each operation gets what its window would have read before the operator confirmed; `arm` comes
// just before the operation itself.
struct Operation {
    const char* name;
    std::function<Outcome(Store&, const std::function<void()>& arm)> run;
    const char* month = nullptr;  // the month file before, when there is one
    bool started = true;          // the program has started here before and made History
};

Outcome CheckoutB(Store& s, const std::function<void()>& arm) {
    const Bill shown = ComputeBill(s.settings, "B", kNow);
    arm();
    return Checkout(s, shown);
}

const Operation kOperations[] = {
    {"start",
     [](Store& s, const auto& arm) {
         arm();
         return StartUse(s, "A", kNow);
     }},
    {"checkout", CheckoutB},
    {"checkout_to_an_existing_month", CheckoutB, "A@2024/05/06 12:00:00@x\r\nno line end"},
    {"checkout_on_a_first_start",
     [](Store& s, const auto& arm) {
         const Bill shown = ComputeBill(s.settings, "B", kNow);
         arm();
         store::CreateDirectoryTree(s.historyFolder);  // as the start makes it
         return Checkout(s, shown);
     },
     nullptr, false},
    {"save",
     [](Store& s, const auto& arm) {
         arm();
         return SaveItem(s, "D", {"240", "70", "30", "20"});
     }},
    {"modify",
     [](Store& s, const auto& arm) {
         arm();
         return SaveItem(s, "C", {"90", "15", "10", "25"});
     }},
    {"delete",
     [](Store& s, const auto& arm) {
         arm();
         return DeleteItem(s, "A");
     }},
    {"switch",
     [](Store& s, const auto& arm) {
         arm();
         return SwitchUse(s, "B", "A");
     }},
};

struct Files {
    std::string settings;
    std::optional<std::string> month;  // nothing when there is no month file
    bool operator==(const Files&) const = default;
};

struct Attempt {
    Outcome outcome;
    Files before, after;
};

Files ReadFiles(const testing::TempFolder& folder) {
    const auto month = folder / "History" / "202405.QY.txt";
    return {ReadBytes(folder / "ROOMSETTING.ini"),
            std::filesystem::exists(month) ? std::optional(ReadBytes(month)) : std::nullopt};
}

// The journal beside the settings file, as a desk without an owner password keeps it.
struct DeskJournal {
    explicit DeskJournal(const std::filesystem::path& documents)
        : journal(documents / journal::kFolderName, journal::Protection::Unkeyed) {}
    journal::Journal journal;
    Journaling journaling{.journal = journal};
};

Attempt RunOn(const testing::TempFolder& folder, const Operation& operation,
              const std::function<void()>& arm, Journaling* journaling = nullptr) {
    if (operation.started) std::filesystem::create_directory(folder / "History");
    store::SettingsFile settings = testing::WriteSettingsFile(folder, Gbk(kItems));
    settings.ReadSetting("A", "x");  // as the list read it when it was filled
    Store store{settings, folder.text() + "History/", store::kLockPatience, journaling};
    if (operation.month) testing::WriteBytes(folder / "History" / "202405.QY.txt", operation.month);
    const Files before = ReadFiles(folder);
    const Outcome outcome = operation.run(store, arm);
    store::ClearFileFaults();
    return {outcome, before, ReadFiles(folder)};
}

Attempt RunOnFreshFiles(const Operation& operation, const std::function<void()>& arm) {
    testing::TempFolder folder;
    return RunOn(folder, operation, arm);
}

class OperationFaultTest : public ::testing::TestWithParam<Operation> {};

TEST_P(OperationFaultTest, failuresAreToldAndLeaveTheFilesWhole) {
    const Operation& operation = GetParam();
    const Attempt clean = RunOnFreshFiles(operation, [] {});
    ASSERT_EQ(clean.outcome, Outcome::Done);
    ASSERT_NE(clean.after, clean.before);
    int injected = 0, failed = 0;
    for (store::FileStep step : store::kFileSteps) {
        SCOPED_TRACE(store::FileStepName(step));
        const int injectedBefore = store::InjectedFileFaults();
        const Attempt run =
            RunOnFreshFiles(operation, [step] { store::FailFileStep(step, ENOSPC); });
        injected += store::InjectedFileFaults() - injectedBefore;
        if (run.after == clean.after) {
            EXPECT_EQ(run.outcome, Outcome::Done);
        } else {
            EXPECT_EQ(run.after, run.before) << "a change half made";
            EXPECT_TRUE(run.outcome == Outcome::SettingsNotRead ||
                        run.outcome == Outcome::SettingsNotWritten ||
                        run.outcome == Outcome::RecordNotWritten)
                << static_cast<int>(run.outcome);
            ++failed;
        }
    }
    std::cout << "[ faults   ] " << operation.name << ": " << injected << " injected, " << failed
              << " told as failed\n";
    EXPECT_GT(failed, 0);
}

history::Takings TakingsOf(const Files& files) {
    return history::ComputeTakings(history::HistoryMonth(files.month.value_or(""))).total;
}

// After a cut at each step, in each state it may leave, the program starts again on what is left
// and the operator does again what the list shows undone. The settings file is then the old or
// the new one, and afterwards the new one; the use is billed once, no torn record is added, and
// the owner's check reads the journal clean.
TEST_P(OperationFaultTest, aPowerCutAfterAnyStepLosesNothingDone) {
    const Operation& operation = GetParam();
    testing::TempFolder live;
    DeskJournal liveDesk(live.path());
    const Attempt clean = RunOn(
        live, operation, [&] { store::StartRecording(live.path()); }, &liveDesk.journaling);
    const store::DiskRecording recording = store::StopRecording();
    ASSERT_EQ(clean.outcome, Outcome::Done);
    const history::Takings billed = TakingsOf(clean.after);
    std::size_t states = 0;
    for (std::size_t cut = 0; cut <= recording.changes.size(); ++cut) {
        const std::vector<store::FolderState> left = store::StatesAfterCut(recording, cut);
        states += left.size();
        for (std::size_t state = 0; state < left.size(); ++state) {
            SCOPED_TRACE(::testing::Message()
                         << "cut after " << cut << " changes, state " << state);
            testing::TempFolder folder;
            testing::WriteFolderState(folder, left[state]);
            store::AppState app = store::StartUp(folder.path());
            EXPECT_TRUE(store::IsDirectory(app.HistoryFolder));
            const Files found = ReadFiles(folder);
            // Done is durable: what was flushed alone is the whole new state.
            if (cut == recording.changes.size() && state == 0) {
                EXPECT_EQ(found, clean.after);
            }
            EXPECT_TRUE(found.settings == clean.before.settings ||
                        found.settings == clean.after.settings)
                << found.settings;
            DeskJournal desk(folder.path());
            if (found.settings == clean.before.settings) {
                Store store{app.Settings, app.HistoryFolder, store::kLockPatience,
                            &desk.journaling};
                const Outcome again = operation.run(store, [] {});
                EXPECT_TRUE(again == Outcome::Done || again == Outcome::AlreadyBilled)
                    << static_cast<int>(again);
            }
            const Files finished = ReadFiles(folder);
            EXPECT_EQ(finished.settings, clean.after.settings);
            const history::Takings takings = TakingsOf(finished);
            EXPECT_EQ(takings.uses, billed.uses) << finished.month.value_or("<no month>");
            EXPECT_EQ(takings.yuan, billed.yuan);
            const audit::CheckReport check = audit::CheckJournal(
                {app.HistoryFolder, folder / journal::kFolderName, {2024, 5, 6}, {2024, 5, 6}});
            EXPECT_TRUE(audit::IsClean(check)) << check.findings.size() << " findings";
        }
    }
    std::cout << "[ cuts     ] " << operation.name << ": " << recording.changes.size() + 1
              << " cut points, " << states << " states left\n";
}

INSTANTIATE_TEST_SUITE_P(Operations, OperationFaultTest, ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace durava::operations
