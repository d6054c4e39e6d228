// SPDX-License-Identifier: MIT
// What the journal costs: a checkout journaled against one that is not, the owner's check of a
// year of 12 x 100,000 records against hashing the same bytes with SHA-256, the owner's check of a
// month after a change of password against the same month without one, and the year's takings
// per operator against its sums from the month files.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "audit/check.h"
#include "audit/operatortakings.h"
#include "core/codepage.h"
#include "history/monthfiles.h"
#include "history/periodtakings.h"
#include "journal/chain/chain.h"
#include "journal/chain/digest.h"
#include "journal/deskmemory.h"
#include "journal/entries.h"
#include "journal/journal.h"
#include "operations/bill.h"
#include "operations/operations.h"
#include "people/protection.h"
#include "store/files/fileio.h"
#include "store/startup.h"
#include "support/checkouts.h"
#include "support/temp_folder.h"

namespace durava::audit {
namespace {

constexpr int kYearRecords = 100000;  // a month's

// A hall with one item, whose uses start and end on a clock of their own; its operations
// journaled, or not.
class Desk {
  public:
    explicit Desk(bool journaled)
        : m_memory(m_folder / "user-config"),
          m_settings(testing::WriteSettingsFile(
              m_folder, core::WideToText(u"[A1]\r\n状态=空闲中\r\n开始时间=无\r\n初始时段=240\r\n"
                                         u"初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"))),
          m_store{m_settings, m_folder / "History", store::kLockPatience,
                  journaled ? &m_journaling : nullptr} {
        std::filesystem::create_directories(m_store.historyFolder);
    }

    void StartUse() {
        m_now += 2.0 / 1440;
        operations::StartUse(m_store, "A1", m_now);
    }

    void Checkout() {
        const operations::Bill bill = operations::ComputeBill(m_settings, "A1", m_now + 1.0 / 1440);
        if (operations::Checkout(m_store, bill) != operations::Outcome::Done) std::abort();
    }

    const std::filesystem::path& Folder() const { return m_folder.path(); }

  private:
    // What the desk remembers goes to the benchmark's folder, not to the user's.
    struct MemoryAside {
        explicit MemoryAside(const std::filesystem::path& folder) {
            setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        }
    };

    testing::TempFolder m_folder;
    MemoryAside m_memory;
    store::SettingsFile m_settings;
    journal::Journal m_journal{m_folder / "Durava", journal::Protection::Unkeyed};
    operations::Journaling m_journaling{m_journal};
    operations::Store m_store;
    core::DateTime m_now = core::ToDateTime({2024, 5, 6, 10, 0, 0});
};

void CheckoutBenchmark(benchmark::State& state, bool journaled) {
    Desk desk(journaled);
    for (auto _ : state) {
        state.PauseTiming();
        desk.StartUse();
        state.ResumeTiming();
        desk.Checkout();
    }
}

// Baseline: the checkout without a journal, its record and the settings file flushed.
void BM_Checkout(benchmark::State& state) {
    CheckoutBenchmark(state, false);
}
BENCHMARK(BM_Checkout)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

void BM_CheckoutWithJournal(benchmark::State& state) {
    CheckoutBenchmark(state, true);
}
BENCHMARK(BM_CheckoutWithJournal)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// The desk's memory kept after each entry, as the journal keeps it: its share of
// BM_CheckoutWithJournal is what the memory adds to a checkout.
void BM_RememberDesk(benchmark::State& state) {
    Desk desk(true);
    desk.StartUse();
    desk.Checkout();
    const std::filesystem::path durava = desk.Folder() / "Durava";
    const journal::ChainHead head = journal::RecallDesk(durava)->head;
    for (auto _ : state) journal::RememberDesk(durava, head);
}
BENCHMARK(BM_RememberDesk)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// The fields of every sample record after its name and times.
const std::string& RecordTail() {
    static const std::string tail = core::WideToText(
        u"@1 时 0 分 0 秒@4 小时 0 分@未超时@30 分钟@20 元 / 小时@70 元@0 元@￥70 元");
    return tail;
}

// `uses` checkouts spread over `month` of 2024, their records and their journal lines appended
// to the files, as the program would have written them.
void WriteSampleMonth(const std::filesystem::path& folder, journal::ChainState& chain, int month,
                      int uses, std::string journal = {}) {
    const core::DateTime first = core::ToDateTime({2024, month, 1, 0, 0, 0});
    const double apart = core::DaysInMonth(2024, month) / (uses + 1.0);
    const std::filesystem::path monthFile = history::MonthFile::Of(first).Path(folder / "History");
    std::string records;
    for (int use = 1; use <= uses; ++use) {
        const core::DateTime end = first + use * apart;
        const std::string record = "R" + std::to_string(use % 1000) + "@" +
                                   core::TimeText(end - 1.0 / 24) + "@" + core::TimeText(end) +
                                   RecordTail();
        records += record + "\r\n";
        journal += journal::Seal(chain, testing::CheckoutEntryOf(end, {}, record, monthFile),
                                 202400 + month);
    }
    const std::filesystem::path journalFile =
        journal::JournalFilePath(folder / "Durava", 202400 + month);
    testing::WriteBytes(monthFile, store::ReadWholeFile(monthFile).value_or("") + records);
    testing::WriteBytes(journalFile, store::ReadWholeFile(journalFile).value_or("") + journal);
    testing::WriteBytes(journal::KeyFilePath(folder / "Durava"), journal::KeyRecord(chain));
}

// The first entry of a chain begun with `first` at `time`, after `chain`.
std::string BeginChain(journal::ChainState& chain, const journal::JournalKey& first,
                       core::DateTime time, journal::Protection protection,
                       journal::ChainReason reason) {
    const std::optional<journal::ChainHead> before =
        chain.next > 1 ? std::optional(journal::ChainHead{chain.next - 1, chain.last, {}})
                       : std::nullopt;
    chain = journal::NewChain(first);
    return journal::Seal(chain, journal::NewChainEntry(time, {}, protection, reason, before),
                         core::MonthNumber(time));
}

void MakeFolders(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "History");
    std::filesystem::create_directories(folder / "Durava");
}

// A year of 12 months of kYearRecords checkouts each, the records and their journal, written as
// the program would have written them, once per run.
const testing::TempFolder& SampleYear() {
    static const testing::TempFolder folder;
    static const bool written = [] {
        MakeFolders(folder.path());
        journal::ChainState chain;
        for (int month = 1; month <= 12; ++month) {
            WriteSampleMonth(folder.path(), chain, month, kYearRecords,
                             month == 1 ? BeginChain(chain, journal::kPublicJournalKey,
                                                     core::ToDateTime({2024, 1, 1, 0, 0, 0}),
                                                     journal::Protection::Unkeyed,
                                                     journal::ChainReason::FirstUse)
                                        : "");
        }
        return true;
    }();
    (void)written;
    return folder;
}

constexpr int kMonthRecords = 4000;
const journal::JournalKey kOldPasswordKey{1}, kPasswordKey{2};

// April and May of an owner's hall, kMonthRecords checkouts each; the owner's password is
// kPasswordKey's, and when `changed`, it was kOldPasswordKey's until April's last second.
const testing::TempFolder& SampleOwnersMonths(bool changed) {
    static const testing::TempFolder folders[2];
    static bool written[2] = {};
    const testing::TempFolder& folder = folders[changed];
    if (written[changed]) return folder;
    MakeFolders(folder.path());
    if (people::SetOwnerPassword(folder / "Durava",
                                 *people::MakePassword(u"owner-pw", journal::kCheapestCost))) {
        std::abort();
    }
    journal::ChainState chain;
    const auto owners = [&chain](const journal::JournalKey& key, core::CalendarTime time) {
        return BeginChain(chain, key, core::ToDateTime(time), journal::Protection::Owner,
                          journal::ChainReason::OwnerPassword);
    };
    WriteSampleMonth(folder.path(), chain, 4, kMonthRecords,
                     owners(changed ? kOldPasswordKey : kPasswordKey, {2024, 4, 1, 0, 0, 0}));
    if (changed) {
        WriteSampleMonth(folder.path(), chain, 4, 0,
                         owners(kPasswordKey, {2024, 4, 30, 23, 59, 59}));
    }
    WriteSampleMonth(folder.path(), chain, 5, kMonthRecords);
    written[changed] = true;
    return folder;
}

// The owner's check of `month` with the owner's keys.
void CheckOwnersMonth(benchmark::State& state, bool changed, int month) {
    const testing::TempFolder& folder = SampleOwnersMonths(changed);
    const std::vector<journal::JournalKey> earlier =
        changed ? std::vector{kOldPasswordKey} : std::vector<journal::JournalKey>{};
    for (auto _ : state) {
        const CheckReport report = CheckJournal({folder / "History",
                                                 folder / "Durava",
                                                 {2024, month, 1},
                                                 {2024, month, core::DaysInMonth(2024, month)},
                                                 kPasswordKey,
                                                 earlier});
        if (!IsClean(report) || report.recordsChecked != kMonthRecords || report.entriesUnchecked)
            std::abort();
        benchmark::DoNotOptimize(report.entriesChecked);
    }
}

void BM_CheckMonth(benchmark::State& state) {
    CheckOwnersMonth(state, false, 5);
}
BENCHMARK(BM_CheckMonth)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckMonthAfterPasswordChange(benchmark::State& state) {
    CheckOwnersMonth(state, true, 5);
}
BENCHMARK(BM_CheckMonthAfterPasswordChange)->Unit(benchmark::kMillisecond)->UseRealTime();

// The month before the change, in the chain of the password before.
void BM_CheckMonthBeforePasswordChange(benchmark::State& state) {
    CheckOwnersMonth(state, true, 4);
}
BENCHMARK(BM_CheckMonthBeforePasswordChange)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckYear(benchmark::State& state) {
    const testing::TempFolder& year = SampleYear();
    for (auto _ : state) {
        const CheckReport report = CheckJournal(
            {year / "History", year / "Durava", {2024, 1, 1}, {2024, 12, 31}, std::nullopt});
        if (!IsClean(report) || report.recordsChecked != 12u * kYearRecords) std::abort();
        benchmark::DoNotOptimize(report.entriesChecked);
    }
}
BENCHMARK(BM_CheckYear)->Unit(benchmark::kMillisecond)->UseRealTime();

// A year's takings per operator, as the takings window reads them beside the year's sums.
void BM_OperatorTakingsYear(benchmark::State& state) {
    const testing::TempFolder& year = SampleYear();
    for (auto _ : state) {
        const auto operators =
            OperatorTakings(year / "Durava", year / "History", {2024, 1, 1}, {2024, 12, 31});
        if (!operators || operators->at(0).checkouts != 12 * kYearRecords) std::abort();
    }
}
BENCHMARK(BM_OperatorTakingsYear)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: the year's sums from its month files, which the takings window reads anyway.
void BM_PeriodTakingsYear(benchmark::State& state) {
    const testing::TempFolder& year = SampleYear();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            history::ComputePeriod(year / "History", {2024, 1, 1}, {2024, 12, 31}));
    }
}
BENCHMARK(BM_PeriodTakingsYear)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: the month files' and the journal's bytes read and hashed with SHA-256.
void BM_HashYearBytes(benchmark::State& state) {
    const testing::TempFolder& year = SampleYear();
    for (auto _ : state) {
        for (const char* folder : {"History", "Durava"}) {
            for (const auto& file : std::filesystem::directory_iterator(year / folder)) {
                benchmark::DoNotOptimize(journal::Sha256(*store::ReadWholeFile(file.path())));
            }
        }
    }
}
BENCHMARK(BM_HashYearBytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace durava::audit
