// SPDX-License-Identifier: MIT
// Each operation against the files as another copy of the program may have left them: what it
// refuses, what it writes, and that a refusal writes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "audit/check.h"
#include "history/periodtakings.h"
#include "journal/files/journalfiles.h"
#include "operations/dayslip.h"
#include "operations/operations.h"
#include "operations/shiftslip.h"
#include "people/protection.h"
#include "store/storelock.h"
#include "support/settings_sections.h"
#include "support/temp_folder.h"

namespace durava::operations {
namespace {

using testing::Gbk;
using testing::ReadBytes;
using testing::WriteBytes;

const std::string kIdleA = testing::ItemSection("A").Tariff(testing::kDefaultTariff).Idle();
const std::string kInUseB = testing::ItemSection("B")
                                .Tariff({.period = "120", .fee = "50", .unit = "15", .price = "30"})
                                .InUse("2024/05/31 23:00:00");
constexpr char kRecordB[] =
    "B@2024/05/31 23:00:00@2024/06/01 00:30:00@1 时 30 分 0 秒@2 小时 0 分@未超时@15 分钟@"
    "30 元 / 小时@50 元@0 元@￥50 元\r\n";
constexpr char kMay[] = "History/202405.QY.txt";
constexpr char kJune[] = "History/202406.QY.txt";

const core::DateTime kHalfPastMidnight = core::ToDateTime({2024, 6, 1, 0, 30, 0});

class OperationsTest : public ::testing::Test {
  public:
    void SetUp() override {
        std::filesystem::create_directory(m_folder / "History");
        WriteBytes(m_folder / "ROOMSETTING.ini", Gbk(std::string(kIdleA) + kInUseB));
    }

    Store MakeStore(std::chrono::milliseconds patience = store::kLockPatience) {
        return {m_settings, m_folder.text() + "History/", patience};
    }
    std::string Settings() const { return ReadBytes(m_folder / "ROOMSETTING.ini"); }
    std::string Month(const char* name) const { return ReadBytes(m_folder / name); }
    // Replaces one value in the settings file as another copy would.
    void Change(std::string_view from, std::string_view to) {
        std::string bytes = Settings();
        bytes.replace(bytes.find(Gbk(from)), Gbk(from).size(), Gbk(to));
        WriteBytes(m_folder / "ROOMSETTING.ini", bytes);
    }

    // The actions of the journal's newest file, in order.
    std::vector<journal::Action> Journaled() const {
        std::vector<journal::Action> actions;
        const std::vector<int> months = journal::JournalMonths(m_folder / "Durava");
        if (months.empty()) return actions;
        const std::string bytes =
            ReadBytes(journal::JournalFilePath(m_folder / "Durava", months.back()));
        journal::ForEachLine(bytes, [&actions](std::string_view line, bool) {
            actions.push_back(journal::ReadJournalLine(line)->action);
        });
        return actions;
    }

    testing::TempFolder m_folder;
    journal::Journal m_journal{m_folder / "Durava", journal::Protection::Unkeyed};
    Journaling m_journaling{m_journal, Gbk("张三")};
    Bill m_shown;  // B's bill as a window showed it before anything changed
    store::SettingsFile m_settings{m_folder / "ROOMSETTING.ini"};
};

struct Refusal {
    const char* name;
    std::function<void(OperationsTest&)> meanwhile;  // what another copy did
    std::function<Outcome(Store&, OperationsTest&)> run;
    Outcome expected;
};

class RefusalTest : public OperationsTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, writesNothing) {
    const Refusal& refusal = GetParam();
    m_shown = ComputeBill(m_settings, "B", kHalfPastMidnight);
    refusal.meanwhile(*this);
    const std::string before = Settings();
    Store store = MakeStore();
    store.journaling = &m_journaling;
    EXPECT_EQ(refusal.run(store, *this), refusal.expected);
    EXPECT_EQ(Settings(), before);
    EXPECT_EQ(Month(kMay) + Month(kJune), "");
    // The journal alone hears of it, and why.
    EXPECT_EQ(Journaled().back(), journal::Action::Refused);
}

Outcome CheckoutB(Store& store, const store::SettingsFile& settings) {
    return Checkout(store, ComputeBill(settings, "B", kHalfPastMidnight));
}

void Nothing(OperationsTest&) {}

const Refusal kRefusals[] = {
    {"start_in_use", Nothing,
     [](Store& s, OperationsTest&) { return StartUse(s, "B", kHalfPastMidnight); },
     Outcome::NoLongerIdle},
    {"start_deleted", Nothing,
     [](Store& s, OperationsTest&) { return StartUse(s, "Z", kHalfPastMidnight); },
     Outcome::NoLongerIdle},
    {"start_other_state", [](OperationsTest& t) { t.Change("状态=空闲中", "状态=维修"); },
     [](Store& s, OperationsTest&) { return StartUse(s, "A", kHalfPastMidnight); },
     Outcome::NoLongerIdle},
    {"checkout_idle", Nothing,
     [](Store& s, OperationsTest& t) {
         return Checkout(s, ComputeBill(t.m_settings, "A", kHalfPastMidnight));
     },
     Outcome::NoLongerInUse},
    // The window showed the use; another copy billed it, and started the item again.
    {"checkout_started_again",
     [](OperationsTest& t) { t.Change("2024/05/31 23:00:00", "2024/06/01 00:10:00"); },
     [](Store& s, OperationsTest& t) { return Checkout(s, t.m_shown); }, Outcome::StartedAgain},
    {"checkout_ended_elsewhere",
     [](OperationsTest& t) {
         t.Change("状态=使用中\r\n开始时间=2024/05/31 23:00:00", "状态=空闲中\r\n开始时间=无");
     },
     [](Store& s, OperationsTest& t) { return Checkout(s, t.m_shown); }, Outcome::NoLongerInUse},
    {"switch_from_idle", Nothing, [](Store& s, OperationsTest&) { return SwitchUse(s, "A", "A"); },
     Outcome::NoLongerInUse},
    {"switch_to_in_use", Nothing, [](Store& s, OperationsTest&) { return SwitchUse(s, "B", "B"); },
     Outcome::NoLongerIdle},
    {"switch_to_deleted", Nothing, [](Store& s, OperationsTest&) { return SwitchUse(s, "B", "Z"); },
     Outcome::NoLongerIdle},
    {"save_in_use", Nothing,
     [](Store& s, OperationsTest&) {
         return SaveItem(s, "b", {"1", "2", "3", "4"});
     },
     Outcome::NoLongerIdle},
    {"delete_in_use", Nothing, [](Store& s, OperationsTest&) { return DeleteItem(s, "B"); },
     Outcome::NoLongerIdle},
};

INSTANTIATE_TEST_SUITE_P(Refusals, RefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OperationsTest, startWritesStateAndStartTimeAndNothingElse) {
    Store store = MakeStore();
    ASSERT_EQ(StartUse(store, "A", core::ToDateTime({2024, 6, 1, 0, 0, 0})), Outcome::Done);
    EXPECT_EQ(Settings(), Gbk("[A]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"
                              "状态=使用中\r\n开始时间=2024/06/01 00:00:00\r\n") +
                              Gbk(kInUseB));
}

// A checkout just after midnight on the 1st belongs to the new month, whatever month the program
// started in.
TEST_F(OperationsTest, checkoutRecordsTheBillInTheMonthOfItsEndThenSetsIdle) {
    Store store = MakeStore();
    ASSERT_EQ(CheckoutB(store, m_settings), Outcome::Done);
    EXPECT_EQ(Month(kJune), Gbk(kRecordB));
    EXPECT_EQ(Month(kMay), "");
    EXPECT_EQ(Settings(), Gbk(std::string(kIdleA) +
                              "[B]\r\n初始时段=120\r\n初始费用=50\r\n最小单位=15\r\n超时单价=30\r\n"
                              "状态=空闲中\r\n开始时间=无\r\n"));
}

// A checkout cut short between its record and the idle write, in either month the record may be.
TEST_F(OperationsTest, aUseAlreadyRecordedIsSetIdleWithoutASecondRecord) {
    for (const char* month : {kJune, kMay}) {
        SCOPED_TRACE(month);
        SetUp();
        std::filesystem::remove(m_folder / kMay);
        WriteBytes(m_folder / month, Gbk("A@2024/05/31 22:00:00@x\r\n") + Gbk(kRecordB));
        const std::string recorded = ReadBytes(m_folder / month);
        Store store = MakeStore();
        // A later end time: the bill differs from the record, but the use is the same.
        const Bill later = ComputeBill(m_settings, "B", core::ToDateTime({2024, 6, 2, 9, 0, 0}));
        EXPECT_EQ(Checkout(store, later), Outcome::AlreadyBilled);
        EXPECT_EQ(ReadBytes(m_folder / month), recorded);
        EXPECT_FALSE(IsInUse(m_settings, "B"));
        std::filesystem::remove(m_folder / month);
    }
}

TEST_F(OperationsTest, anotherUseOfTheSameItemIsNoRecordOfThisOne) {
    WriteBytes(m_folder / kJune,
               Gbk("B@2024/05/31 22:00:00@2024/05/31 22:30:00@x\r\nBB@2024/05/31 23:00:00@y\r\n"));
    Store store = MakeStore();
    EXPECT_EQ(CheckoutB(store, m_settings), Outcome::Done);
    EXPECT_TRUE(ReadBytes(m_folder / kJune).ends_with(Gbk(kRecordB)));
}

// Started, billed and started again, all at 13:00:00: the second use would be taken for the first
// at its checkout. Its start waits for the next second, and then both are billed.
TEST_F(OperationsTest, aRestartWithinTheSecondOfABilledUseWaitsForTheNextSecond) {
    const core::DateTime one = core::ToDateTime({2024, 6, 1, 13, 0, 0});
    const core::DateTime next = core::ToDateTime({2024, 6, 1, 13, 0, 1});
    Store store = MakeStore();
    ASSERT_EQ(StartUse(store, "A", one), Outcome::Done);
    ASSERT_EQ(Checkout(store, ComputeBill(m_settings, "A", one)), Outcome::Done);
    const std::string idle = Settings();
    EXPECT_EQ(StartUse(store, "A", one), Outcome::BilledThisSecond);
    EXPECT_EQ(Settings(), idle);
    ASSERT_EQ(StartUse(store, "A", next), Outcome::Done);
    const Bill later = ComputeBill(m_settings, "A", core::ToDateTime({2024, 6, 1, 15, 0, 1}));
    EXPECT_EQ(Checkout(store, later), Outcome::Done);
    EXPECT_TRUE(Month(kJune).ends_with(later.Record() + "\r\n"));
}

TEST_F(OperationsTest, aRecordThatCannotBeWrittenLeavesTheItemInUse) {
    std::filesystem::create_directory(m_folder / kJune);  // a folder in the file's place
    const std::string before = Settings();
    Store store = MakeStore();
    EXPECT_EQ(CheckoutB(store, m_settings), Outcome::RecordNotWritten);
    EXPECT_EQ(Settings(), before);
}

TEST_F(OperationsTest, switchMovesTheUseAndExchangesTheTariffs) {
    Store store = MakeStore();
    ASSERT_EQ(SwitchUse(store, "B", "A"), Outcome::Done);
    EXPECT_EQ(Settings(), Gbk("[A]\r\n初始时段=120\r\n初始费用=50\r\n最小单位=15\r\n超时单价=30\r\n"
                              "状态=使用中\r\n开始时间=2024/05/31 23:00:00\r\n"
                              "[B]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"
                              "状态=空闲中\r\n开始时间=无\r\n"));
}

// B's use would keep its start second on A, where a billed use began in that second: A's checkout
// would take it for that use and never bill it.
TEST_F(OperationsTest, aSwitchOntoABilledUseOfTheSameStartSecondIsRefused) {
    WriteBytes(m_folder / kJune,
               Gbk("A@2024/05/31 23:00:00@2024/06/01 00:20:00@1 时 20 分 0 秒@"
                   "4 小时 0 分@未超时@30 分钟@20 元 / 小时@70 元@0 元@￥70 元\r\n"));
    core::SetClock([] { return kHalfPastMidnight; });
    const std::string before = Settings();
    Store store = MakeStore();
    EXPECT_EQ(SwitchUse(store, "B", "A"), Outcome::BilledThisSecond);
    core::SetClock({});
    EXPECT_EQ(Settings(), before);
}

TEST_F(OperationsTest, saveAndDeleteChangeOnlyTheirItem) {
    Store store = MakeStore();
    ASSERT_EQ(SaveItem(store, "C", {"60", "10", "15", "-0"}), Outcome::Done);
    EXPECT_EQ(Settings(), Gbk(std::string(kIdleA) + kInUseB +
                              "[C]\r\n初始时段=60\r\n初始费用=10\r\n最小单位=15\r\n超时单价=-0\r\n"
                              "状态=空闲中\r\n开始时间=无\r\n"));
    ASSERT_EQ(DeleteItem(store, "A"), Outcome::Done);
    ASSERT_EQ(DeleteItem(store, "C"), Outcome::Done);
    EXPECT_EQ(Settings(), Gbk(kInUseB));
}

TEST_F(OperationsTest, everyActionIsJournaledAndAnOwnersJournalMustTakeIt) {
    Store store = MakeStore();
    store.journaling = &m_journaling;
    ASSERT_EQ(CheckoutB(store, m_settings), Outcome::Done);
    ASSERT_EQ(StartUse(store, "A", kHalfPastMidnight), Outcome::Done);
    ASSERT_EQ(SwitchUse(store, "A", "B"), Outcome::Done);
    ASSERT_EQ(SaveItem(store, "C", {"60", "10", "15", "20"}), Outcome::Done);
    ASSERT_EQ(SaveItem(store, "C", {"60", "10", "15", "25"}), Outcome::Done);
    ASSERT_EQ(DeleteItem(store, "C"), Outcome::Done);
    // Checkout and start went to June's file; the rest to the file of today's clock.
    using enum journal::Action;
    EXPECT_EQ(Journaled(), (std::vector{Switch, Add, Modify, Delete}));
    const audit::CheckReport report = audit::CheckJournal(
        {m_folder / "History", m_folder / "Durava", {2024, 6, 1}, {2024, 6, 30}, std::nullopt});
    EXPECT_TRUE(audit::IsClean(report));
    EXPECT_EQ(report.recordsChecked, 1u);
    ASSERT_EQ(report.operators.size(), 1u);
    EXPECT_EQ(report.operators[0].yuan, 50);
    EXPECT_EQ(report.operators[0].name, Gbk("张三"));

    // A journal that cannot be written is told, and stops nothing unless the owner asks for it.
    std::filesystem::remove(journal::KeyFilePath(m_folder / "Durava"));
    std::filesystem::create_directory(journal::KeyFilePath(m_folder / "Durava"));
    const journal::FileTrouble problem{journal::KeyFilePath(m_folder / "Durava"),
                                       journal::FileState::Folder};
    const std::string before = Settings();
    // The owner's password, set by any desk on the folder, counts from the next action.
    ASSERT_EQ(people::SetOwnerPassword(m_folder / "Durava",
                                       *people::MakePassword(u"owner-pw", journal::kCheapestCost)),
              std::nullopt);
    EXPECT_EQ(StartUse(store, "A", kHalfPastMidnight), Outcome::JournalNotWritten);
    EXPECT_EQ(Settings(), before);
    EXPECT_EQ(m_journaling.problem, problem);
    std::filesystem::remove(people::OwnerFile(m_folder / "Durava"));
    m_journaling.problem.reset();
    EXPECT_EQ(StartUse(store, "A", kHalfPastMidnight), Outcome::Done);
    EXPECT_EQ(m_journaling.problem, problem);
}

// A change of the settings file made outside Durava is named once, at the start or when the list
// sees it; nothing is named before the journal names the file, nor what a checkout leaves that a
// kill cut off before its idle write.
TEST_F(OperationsTest, aChangeMadeOutsideIsNamedOnce) {
    Store store = MakeStore();
    store.journaling = &m_journaling;
    EXPECT_FALSE(JournalChangeOutside(store, kHalfPastMidnight));
    ASSERT_TRUE(JournalProgramStart(store, kHalfPastMidnight));
    Change("初始时段=240", "初始时段=10");
    ASSERT_TRUE(JournalProgramStart(store, kHalfPastMidnight));
    EXPECT_FALSE(JournalChangeOutside(store, kHalfPastMidnight));
    const std::string inUse = Settings();
    ASSERT_EQ(CheckoutB(store, m_settings), Outcome::Done);
    EXPECT_FALSE(JournalChangeOutside(store, kHalfPastMidnight));
    WriteBytes(m_folder / "ROOMSETTING.ini", inUse);
    EXPECT_FALSE(JournalChangeOutside(store, kHalfPastMidnight));
    Change("初始费用=70", "初始费用=7");
    EXPECT_TRUE(JournalChangeOutside(store, kHalfPastMidnight));
    EXPECT_FALSE(JournalChangeOutside(store, kHalfPastMidnight));
    using enum journal::Action;
    EXPECT_EQ(Journaled(), (std::vector{NewChain, ProgramStart, SettingsChangedOutside,
                                        ProgramStart, Checkout, SettingsChangedOutside}));
}

// What the desk remembers and the Durava folder lost while the program was not running, a journal
// copied back with its key or a file deleted, is journaled at the next start.
TEST_F(OperationsTest, theStartJournalsWhatTheFolderLostSinceTheDeskLastWrote) {
    Store store = MakeStore();
    store.journaling = &m_journaling;
    ASSERT_TRUE(JournalProgramStart(store, kHalfPastMidnight));
    const std::filesystem::path durava = m_folder / "Durava";
    const std::filesystem::path journal = journal::JournalFilePath(durava, 202406),
                                key = journal::KeyFilePath(durava);
    const std::string journalBefore = ReadBytes(journal), keyBefore = ReadBytes(key);
    WriteBytes(durava / "operators.txt", "; operators\r\n");
    ASSERT_EQ(CheckoutB(store, m_settings), Outcome::Done);
    ASSERT_TRUE(JournalProgramStart(store, kHalfPastMidnight));
    EXPECT_EQ(Journaled().size(), 4u);  // nothing lost, nothing told

    WriteBytes(journal, journalBefore);
    WriteBytes(key, keyBefore);
    std::filesystem::remove(durava / "operators.txt");
    ASSERT_TRUE(JournalProgramStart(store, kHalfPastMidnight));
    using enum journal::Action;
    // The settings file the checkout left is one the journal copied back never named.
    EXPECT_EQ(Journaled(), (std::vector{NewChain, ProgramStart, JournalBehindDesk, OurFileGone,
                                        SettingsChangedOutside, ProgramStart}));
}

// While another copy holds the lock, nothing is read, checked or written.
TEST_F(OperationsTest, aHeldLockRefusesEveryOperation) {
    const store::StoreLock other(m_settings.Path(), std::chrono::milliseconds(0));
    ASSERT_TRUE(other.Held());
    const std::string before = Settings();
    Store store = MakeStore(std::chrono::milliseconds(0));
    EXPECT_EQ(StartUse(store, "A", kHalfPastMidnight), Outcome::StoreBusy);
    EXPECT_EQ(CheckoutB(store, m_settings), Outcome::StoreBusy);
    EXPECT_EQ(SwitchUse(store, "B", "A"), Outcome::StoreBusy);
    EXPECT_EQ(SaveItem(store, "C", {"1", "1", "1", "1"}), Outcome::StoreBusy);
    EXPECT_EQ(DeleteItem(store, "A"), Outcome::StoreBusy);
    EXPECT_EQ(Settings(), before);
    EXPECT_EQ(Month(kJune), "");
}

TEST_F(OperationsTest, theLockIsFreeAgainOnceReleased) {
    {
        const store::StoreLock first(m_settings.Path(), std::chrono::milliseconds(0));
        ASSERT_TRUE(first.Held());
    }
    const store::StoreLock second(m_settings.Path(), std::chrono::milliseconds(0));
    EXPECT_TRUE(second.Held());
}

#ifndef _WIN32
// The lock lies beside the file a write replaces; a link that leads to no file stays unreadable.
TEST_F(OperationsTest, aLinkToAFolderOrInALoopCannotBeRead) {
    std::filesystem::create_directory(m_folder / "folder");
    for (const char* target : {"folder", "ROOMSETTING.ini"}) {
        SCOPED_TRACE(target);
        std::filesystem::remove(m_folder / "ROOMSETTING.ini");
        std::filesystem::create_symlink(target, m_folder / "ROOMSETTING.ini");
        Store store = MakeStore();
        EXPECT_EQ(SaveItem(store, "C", {"1", "1", "1", "1"}), Outcome::SettingsNotRead);
        EXPECT_TRUE(std::filesystem::is_symlink(m_folder / "ROOMSETTING.ini"));
    }
}
#endif

TEST_F(OperationsTest, aLockFileThatCannotBeMadeIsSaidSo) {
    store::SettingsFile elsewhere(m_folder / "missing/ROOMSETTING.ini");
    Store store{elsewhere, m_folder.text() + "History/"};
    EXPECT_EQ(StartUse(store, "A", kHalfPastMidnight), Outcome::StoreUnavailable);
}

std::string SlipText(const std::vector<std::string>& lines) {
    std::string slip;
    for (const std::string& line : lines) slip += line + "\n";
    return slip;
}

// The slip of 1 June counts a checkout kept in May's file by a copy started in May, leaves out
// one that ended on 31 May, and lists B, still running, with what it owes at printing time.
TEST_F(OperationsTest, aDaySlipCountsTheDayAcrossMonthFilesAndWhatIsStillRunning) {
    const auto record = [](const char* end, const char* total) {
        return std::string("A@2024/05/31 20:00:00@") + end + "@1 时 0 分 0 秒@4 小时 0 分@未超时@" +
               "30 分钟@20 元 / 小时@70 元@0 元@￥" + total + " 元\r\n";
    };
    WriteBytes(m_folder / kMay,
               Gbk(record("2024/05/31 21:00:00", "5") + record("2024/06/01 00:20:00", "1070")));
    WriteBytes(m_folder / kJune, Gbk(record("2024/06/01 12:00:00", "2000")));
    const core::DateTime printed = core::ToDateTime({2024, 6, 1, 13, 0, 0});
    const std::optional<history::PeriodTakings> day =
        history::ComputePeriod(m_folder / "History", {2024, 6, 1}, {2024, 6, 1});
    ASSERT_TRUE(day);
    const journal::ChainHead head{1234, journal::Sha256("head"), {}};
    const std::vector<std::string> lines =
        DaySlipLines({2024, 6, 1}, day->takings, OwedAt(m_settings, printed), printed, head);
    EXPECT_EQ(SlipText(lines),
              Gbk("日期：2024/06/01\n打印时间：2024/06/01 13:00:00\n营业额：3,070 元\n"
                  "使用次数：2 次\n使用时长：2 时 0 分\n—— 各项目 ——\n"
                  "A  2 次  2 时 0 分  3,070 元\n—— 仍在使用 ——\n"
                  "B  2024/05/31 23:00:00  410 元\n在用应收：410 元\n日志 1234 条 ") +
                  journal::Hex(head.last).substr(0, 8) + "\n");
    EXPECT_EQ(DaySlipLines({2024, 6, 1}, day->takings, OwedAt(m_settings, printed), printed, {}),
              std::vector(lines.begin(), lines.end() - 1));
}

// The cash counted at a shift close against what the shift expects, and the slip that hands the
// uses still running to the next shift, ending with the journal's head when there is one.
TEST_F(OperationsTest, aShiftSlipSaysTheCashAndHandsOverWhatIsStillRunning) {
    for (const char* unfit : {"", "-5", "1-2", "99999999999999999999"}) {
        EXPECT_FALSE(CountCash(unfit, 120)) << unfit;
    }
    const std::optional<CashCount> cash = CountCash("100", 120);
    ASSERT_TRUE(cash);
    EXPECT_EQ(cash->difference, -20);
    const core::DateTime closed = core::ToDateTime({2024, 6, 1, 1, 0, 0});
    const audit::Shift shift{"2024/05/31 18:00:00", 3, 120, 1};
    const journal::ChainHead head{12, journal::Sha256("last"), "2024/06/01 00:59:00"};
    const OwedNow owed = OwedAt(m_settings, closed);
    std::vector<std::string> lines = ShiftSlipLines(Gbk("张三"), shift, *cash, owed, closed, head);
    EXPECT_EQ(SlipText(lines),
              Gbk("当班：张三\n开始：2024/05/31 18:00:00\n结束：2024/06/01 01:00:00\n"
                  "结账次数：3 次\n应收：120 元（1 笔无法计入）\n实收：100 元\n差额：-20 元\n"
                  "—— 仍在使用 ——\nB  2024/05/31 23:00:00  50 元\n在用应收：50 元\n日志 12 条 ") +
                  journal::Hex(head.last).substr(0, 8) + "\n");
    lines.pop_back();
    EXPECT_EQ(ShiftSlipLines(Gbk("张三"), shift, *cash, owed, closed, std::nullopt), lines);
}

}  // namespace
}  // namespace durava::operations
