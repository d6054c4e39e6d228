// SPDX-License-Identifier: MIT
// Kills store_writer at random moments and proves that both stores stay whole after every kill.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "audit/check.h"
#include "audit/checktexts.h"
#include "core/utf8.h"
#include "history/historyfile.h"
#include "operations/operations.h"
#include "store_script.h"
#include "support/child_process.h"
#include "support/temp_folder.h"
#include "support/test_seed.h"

namespace durava::store_script {
namespace {

constexpr int kKills = 250;

// What the writer said it had done, over all its runs: the least the files must hold.
struct Told {
    std::vector<long long> generation = std::vector<long long>(CountedItems().size(), 0);
    std::vector<bool> created = std::vector<bool>(CountedItems().size(), false);
    std::vector<bool> mayBeMissing = std::vector<bool>(MovedItems().size(), true);
    long long sequence = 0;

    void Apply(const std::string& told) {
        std::istringstream lines(told);
        std::string word;
        long long a = 0, b = 0;
        while (lines >> word) {
            if (word == "gen" && lines >> a >> b) {
                generation.at(a) = b;
                created.at(a) = true;
            } else if (word == "seq" && lines >> a) {
                sequence = a;
            } else if (word == "remove" && lines >> a) {
                mayBeMissing.at(a) = true;
            } else if (word == "added" && lines >> a) {
                mayBeMissing.at(a) = false;
            } else {
                ASSERT_EQ(word, "ready");
            }
        }
    }
};

struct WriterRun {
    std::string told;
    bool killed = false;  // by the kill, not ended by itself
    std::string ending;   // how it ended otherwise
};

// How many records a run told of after resuming.
int RecordsTold(const std::string& told) {
    const std::size_t resumed = told.find("ready\n");
    if (resumed == std::string::npos) return 0;
    int records = 0;
    for (std::size_t at = told.find("seq ", resumed); at != std::string::npos;
         at = told.find("seq ", at + 1)) {
        ++records;
    }
    return records;
}

// Starts the writer, waits until it has resumed and told of `records` new records, lets it run
// for `delay` more and kills it. Waiting for what it tells, not for a time, keeps every run
// making progress however slow the machine is.
WriterRun RunUntilKilled(const std::string& folder, int records, std::chrono::microseconds delay,
                         const char* mode = nullptr) {
    WriterRun run;
    std::vector<std::string> arguments{folder};
    if (mode) arguments.emplace_back(mode);
    testing::ChildProcess writer(DURAVA_STORE_WRITER, arguments);
    if (!writer.Started()) {
        run.ending = "not started";
        return run;
    }
    while (writer.Told().find("ready\n") == std::string::npos ||
           RecordsTold(writer.Told()) < records) {
        if (!writer.ReadMore()) break;
    }
    std::this_thread::sleep_for(delay);
    const int code = writer.Kill();
    run.killed = code == testing::ChildProcess::kKilled;
    run.ending = "exit code " + std::to_string(code);
    writer.ReadToEnd();
    run.told = writer.Told();
    return run;
}

int IndexOf(const std::vector<std::string>& names, const std::string& name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) return static_cast<int>(i);
    }
    return -1;
}

// The file must be whole sections of the six keys in order, each item at most once; counted items
// hold one generation the writer told or the one after it, moved items their idle values.
void ExpectWholeSettings(const std::string& bytes, const Told& told) {
    const testing::SettingsSections read = testing::ReadWholeSections(bytes);
    ASSERT_EQ(read.fault, "");
    const auto& sections = read.values;
    for (const auto& [name, values] : sections) {
        ASSERT_TRUE(IndexOf(CountedItems(), name) >= 0 || IndexOf(MovedItems(), name) >= 0) << name;
    }
    for (std::size_t i = 0; i < CountedItems().size(); ++i) {
        const auto found = sections.find(CountedItems()[i]);
        if (found == sections.end()) {
            EXPECT_FALSE(told.created[i]) << "section lost: " << CountedItems()[i];
            continue;
        }
        const auto& values = found->second;
        const long long g = core::TextToInteger(values[0]);
        EXPECT_TRUE(g == told.generation[i] || g == told.generation[i] + 1)
            << CountedItems()[i] << " holds generation " << g << ", told " << told.generation[i];
        const std::string text = core::IntegerToText(g);
        for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(values[k], text) << "tariff key " << k;
        const core::FixedTexts& t = core::Texts();
        const std::pair<std::string, std::string> state{values[4], values[5]};
        EXPECT_TRUE(state == std::pair(t.inUse, StartText(g)) ||
                    state == std::pair(t.idle, StartText(g)) || state == std::pair(t.idle, t.none))
            << "state and start time of generation " << g << ": " << values[4] << ", " << values[5];
    }
    for (std::size_t m = 0; m < MovedItems().size(); ++m) {
        const auto found = sections.find(MovedItems()[m]);
        if (found == sections.end()) {
            EXPECT_TRUE(told.mayBeMissing[m]) << "section lost: " << MovedItems()[m];
        } else {
            EXPECT_EQ(found->second, IdleValues());
        }
    }
}

// Whole records numbered 1, 2, 3 ... with none missing or doubled, up to the last one told or the
// one after it. Past the last line break there may be only the start of the record after the last
// one told, which a kill cut short; each such start stays a line of its own (`torn`, by where it
// starts).
void ExpectWholeMonth(const std::string& bytes, const Told& told,
                      std::map<std::size_t, std::string>& torn) {
    const std::vector<std::string> lines = testing::CrLfLines(bytes);
    const history::HistoryMonth month(bytes);
    ASSERT_EQ(month.RecordCount(), lines.size());
    const std::vector<std::size_t> whole = WholeRecords(month);
    if (!bytes.empty() && !bytes.ends_with("\r\n")) {
        const std::string& tail = lines.back();
        bool startsNext = false;
        for (std::size_t i = 0; i < CountedItems().size(); ++i) {
            startsNext |=
                (Record(CountedItems()[i], told.generation[i], told.sequence + 1) + "\r\n")
                    .starts_with(tail);
        }
        ASSERT_TRUE(startsNext) << "torn last record: " << tail;
        if (whole.empty() || whole.back() != lines.size() - 1) {
            torn[bytes.size() - tail.size()] = tail;
        }
    }
    std::vector<std::string> cutShort;
    for (std::size_t r = 0, w = 0; r < lines.size(); ++r) {
        if (w == whole.size() || whole[w] != r) {
            cutShort.push_back(lines[r]);
            continue;
        }
        const long long sequence = SequenceOf(month, r);
        ASSERT_EQ(sequence, static_cast<long long>(++w)) << "record lost or doubled";
        const long long generation = core::TextToInteger(month.Field(r, 6));
        std::string_view line = lines[r];
        if (r + 1 == lines.size() && line.ends_with('\r')) line.remove_suffix(1);
        EXPECT_EQ(line, Record(std::string(month.Field(r, 0)), generation, sequence));
    }
    std::vector<std::string> tornLines;
    for (const auto& [start, line] : torn) tornLines.push_back(line);
    EXPECT_EQ(cutShort, tornLines) << "a line that is neither a record nor one a kill cut short";
    const auto count = static_cast<long long>(whole.size());
    EXPECT_TRUE(count == told.sequence || count == told.sequence + 1)
        << count << " records, " << told.sequence << " told";
}

TEST(KillTest, storesStayWholeWhenTheWriterIsKilledAtAnyMoment) {
    testing::TempFolder folder;
    std::filesystem::create_directory(folder / "History");
    const unsigned seed = testing::TestSeed();
    SCOPED_TRACE(::testing::Message() << "DURAVA_TEST_SEED=" << seed << " replays this run");
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(0, 20000);
    std::uniform_int_distribution<int> recordsFirst(0, 2);
    long long recordsAwaited = 0;
    Told told;
    int leftTemporaries = 0;
    std::map<std::size_t, std::string> torn;

    for (int kill = 1; kill <= kKills; ++kill) {
        SCOPED_TRACE(::testing::Message() << "kill " << kill << ", seed " << seed);
        const int records = recordsFirst(random);
        recordsAwaited += records;
        const WriterRun run = RunUntilKilled(folder.text(), records,
                                             std::chrono::microseconds(delayMicroseconds(random)));
        ASSERT_TRUE(run.killed) << "the writer ended by itself: " << run.ending << "\n" << run.told;
        told.Apply(run.told);
        ExpectWholeSettings(testing::ReadBytes(folder / SettingsName()), told);
        ExpectWholeMonth(testing::ReadBytes(folder / MonthName()), told, torn);
        if (::testing::Test::HasFatalFailure() || ::testing::Test::HasFailure()) return;
        // A kill between creating and renaming the temporary file leaves it behind; it never
        // takes the settings file's name.
        for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
            const std::string name = entry.path().filename().string();
            if (name == SettingsName() || name == "History") continue;
            ASSERT_TRUE(name.starts_with("." + SettingsName() + ".durava-")) << name;
            std::filesystem::remove(entry.path());
            ++leftTemporaries;
        }
    }
    // Every record a run was waited for must be there, however slow the disk.
    EXPECT_GE(told.sequence, recordsAwaited);
    std::cout << "[ kills    ] " << kKills << " survived; " << told.sequence << " records, "
              << torn.size() << " cut short, " << leftTemporaries
              << " temporary files left by kills\n";
}

// A kill between a checkout's record and its idle write leaves the item in use with its use
// recorded; the checkout that follows sets it idle without a second record. Whatever a kill left of
// the journal, the owner's check reads it and the records as clean.
TEST(KillTest, aCheckoutCutShortIsHealedWithoutASecondRecord) {
    testing::TempFolder folder;
    std::filesystem::create_directory(folder / "History");
    store::SettingsFile settings(folder.text() + SettingsName());
    journal::Journal journal(folder / JournalFolderName(), journal::Protection::Unkeyed);
    operations::Journaling journaling{journal};
    operations::Store store{settings, folder.text() + "History/", store::kLockPatience,
                            &journaling};
    // The items are added on the day of the uses, as the journal's entries would be.
    core::SetClock([] { return core::ParseDateTime(StartText(0)); });
    for (const std::string& item : CountedItems()) {
        ASSERT_EQ(operations::SaveItem(store, item, {"60", "10", "15", "20"}),
                  operations::Outcome::Done);
    }
    const unsigned seed = testing::TestSeed();
    SCOPED_TRACE(::testing::Message() << "DURAVA_TEST_SEED=" << seed << " replays this run");
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(0, 20000);
    std::uniform_int_distribution<int> usesFirst(0, 2);
    int healed = 0, cutShort = 0;

    for (int kill = 1; kill <= kKills / 2; ++kill) {
        SCOPED_TRACE(::testing::Message() << "kill " << kill << ", seed " << seed);
        const WriterRun run =
            RunUntilKilled(folder.text(), usesFirst(random),
                           std::chrono::microseconds(delayMicroseconds(random)), "checkouts");
        ASSERT_TRUE(run.killed) << "the writer ended by itself: " << run.ending << "\n" << run.told;
        for (const std::string& item : CountedItems()) {
            if (!operations::IsInUse(settings, item)) continue;
            const operations::Bill bill = operations::ComputeBill(
                settings, item, core::ParseDateTime(settings.ReadSetting(item, SettingsKeys()[5])));
            const operations::Outcome outcome = operations::Checkout(store, bill);
            ASSERT_TRUE(outcome == operations::Outcome::Done ||
                        outcome == operations::Outcome::AlreadyBilled);
            ++healed;
            if (outcome == operations::Outcome::AlreadyBilled) ++cutShort;
        }
        // Use g's record, and no other, is whole record g: one a kill cut short is billed again.
        const history::HistoryMonth month = history::ReadHistoryMonth(folder.text() + MonthName());
        long long g = 0;
        for (const std::size_t r : WholeRecords(month)) {
            ++g;
            ASSERT_EQ(month.Field(r, 0), UseItem(g)) << "record " << g;
            ASSERT_EQ(month.Field(r, 1), StartText(g)) << "record " << g << " lost or doubled";
        }
    }
    core::SetClock({});
    const audit::CheckReport report = audit::CheckJournal(
        {folder / "History", folder / JournalFolderName(), {2024, 5, 1}, {2024, 5, 31}});
    for (const audit::Finding& finding : report.findings) {
        EXPECT_FALSE(audit::IsTampering(finding.kind))
            << core::WideToUtf8(core::TextToWide(audit::FindingText(finding)));
    }
    EXPECT_EQ(report.recordsChecked,
              WholeRecords(history::ReadHistoryMonth(folder.text() + MonthName())).size());
    std::cout << "[ kills    ] " << kKills / 2 << " kills during checkouts; " << healed
              << " uses left running, " << cutShort
              << " of them recorded already and healed without a second record; the check read "
              << report.entriesChecked << " entries and " << report.recordsChecked
              << " records clean, with " << report.findings.size() << " notes\n";
}

}  // namespace
}  // namespace durava::store_script
