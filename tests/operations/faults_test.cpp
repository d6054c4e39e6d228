// SPDX-License-Identifier: MIT
// Every operation with each step of the file layer failing in turn: the outcome says it failed
// exactly when the files hold what they held before, and otherwise they hold the whole new state.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

#include "operations/operations.h"
#include "store/fileio_faults.h"
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
    {"save",
     [](Store& s, const auto& arm) {
         arm();
         return SaveItem(s, "D", {"240", "70", "30", "20"});
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

Attempt RunOnFreshFiles(const Operation& operation, const std::function<void()>& arm) {
    testing::TempFolder folder;
    std::filesystem::create_directory(folder / "History");
    store::SettingsFile settings = testing::WriteSettingsFile(folder, Gbk(kItems));
    settings.ReadSetting("A", "x");  // as the list read it when it was filled
    Store store{settings, folder.text() + "History/"};
    const auto month = folder / "History" / "202405.QY.txt";
    if (operation.month) testing::WriteBytes(month, operation.month);
    const auto files = [&] {
        return Files{ReadBytes(folder / "ROOMSETTING.ini"), std::filesystem::exists(month)
                                                                ? std::optional(ReadBytes(month))
                                                                : std::nullopt};
    };
    const Files before = files();
    const Outcome outcome = operation.run(store, arm);
    store::ClearFileFaults();
    return {outcome, before, files()};
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

INSTANTIATE_TEST_SUITE_P(Operations, OperationFaultTest, ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace durava::operations
