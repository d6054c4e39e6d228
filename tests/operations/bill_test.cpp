// SPDX-License-Identifier: MIT
// The eleven figures of a checkout and the record built from them.
#include <gtest/gtest.h>

#include "operations/bill.h"
#include "operations/owed.h"
#include "support/settings_sections.h"
#include "support/temp_folder.h"

namespace durava::operations {
namespace {

using enum history::RecordField;

using testing::Gbk;
using testing::ItemSection;
using testing::kDefaultTariff;

Bill BillAt(const std::string& settings, core::CalendarTime end) {
    testing::TempFolder folder;
    const store::SettingsFile file = testing::WriteSettingsFile(folder, Gbk(settings));
    return ComputeBill(file, "A1", core::ToDateTime(end));
}

std::string InUseSince(const char* start) {
    return ItemSection("A1").Tariff(kDefaultTariff).InUse(start);
}

struct Figures {
    core::CalendarTime end;
    const char *used, *overtime, *overtimeFee, *total;
};

class BillFiguresTest : public ::testing::TestWithParam<Figures> {};

// The overtime duration shows from the first second after the initial period; its fee only from
// the first whole minute.
TEST_P(BillFiguresTest, followTheTimeUsed) {
    const Figures& row = GetParam();
    const Bill bill = BillAt(InUseSince("2024/05/06 13:00:00"), row.end);
    EXPECT_EQ(bill.fields[kFieldDuration], Gbk(row.used));
    EXPECT_EQ(bill.fields[kFieldPeriod], Gbk("4 小时 0 分"));
    EXPECT_EQ(bill.fields[kFieldOvertime], Gbk(row.overtime));
    EXPECT_EQ(bill.fields[kFieldOvertimeFee], Gbk(row.overtimeFee));
    EXPECT_EQ(bill.fields[kFieldTotal], Gbk(row.total));
}

INSTANTIATE_TEST_SUITE_P(
    Checkout, BillFiguresTest,
    ::testing::Values(
        Figures{{2024, 5, 6, 13, 0, 0}, "0 时 0 分 0 秒", "未超时", "0 元", "￥70 元"},
        Figures{{2024, 5, 6, 17, 0, 0}, "4 时 0 分 0 秒", "未超时", "0 元", "￥70 元"},
        Figures{{2024, 5, 6, 17, 0, 30}, "4 时 0 分 30 秒", "0 时 0 分", "0 元", "￥70 元"},
        Figures{{2024, 5, 6, 17, 1, 0}, "4 时 1 分 0 秒", "0 时 1 分", "10 元", "￥80 元"},
        Figures{{2024, 5, 6, 18, 31, 0}, "5 时 31 分 0 秒", "1 时 31 分", "40 元", "￥110 元"},
        Figures{{2024, 5, 7, 14, 5, 9}, "25 时 5 分 9 秒", "21 时 5 分", "430 元", "￥500 元"}));

TEST(BillTest, theRecordIsTheElevenFieldsJoined) {
    const Bill bill = BillAt(InUseSince("2024/05/06 13:00:00"), {2024, 5, 6, 18, 31, 0});
    EXPECT_EQ(bill.Item(), "A1");
    EXPECT_EQ(bill.Start(), "2024/05/06 13:00:00");
    EXPECT_EQ(bill.end, core::ToDateTime({2024, 5, 6, 18, 31, 0}));
    EXPECT_EQ(bill.Record(),
              Gbk("A1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 分 0 秒@4 小时 0 分@"
                  "1 时 31 分@30 分钟@20 元 / 小时@70 元@40 元@￥110 元"));
}

TEST(BillTest, anUnreadableStartIsShownNotBilled) {
    const Bill bill = BillAt(InUseSince("2024/13/45 99:00:00"), {2024, 5, 6, 18, 31, 0});
    for (history::RecordField field :
         {kFieldDuration, kFieldOvertime, kFieldOvertimeFee, kFieldTotal}) {
        EXPECT_EQ(bill.fields[field], Gbk("开始时间有误")) << field;
    }
    EXPECT_EQ(bill.fields[kFieldInitialFee], Gbk("70 元"));
}

TEST(BillTest, aMissingTariffShowsEmptyValuesAndCountsAsZero) {
    const Bill bill =
        BillAt("[A1]\r\n状态=使用中\r\n开始时间=2024/05/06 12:00:00\r\n", {2024, 5, 6, 13, 0, 0});
    EXPECT_EQ(bill.fields[kFieldPeriod], Gbk("0 小时 0 分"));
    EXPECT_EQ(bill.fields[kFieldUnit], Gbk(" 分钟"));
    EXPECT_EQ(bill.fields[kFieldPrice], Gbk(" 元 / 小时"));
    EXPECT_EQ(bill.fields[kFieldTotal], Gbk("￥0 元"));
}

TEST(OwedAt, billsTheItemsInUseAsTheLiveListDoes) {
    testing::TempFolder folder;
    const store::SettingsFile settings = testing::WriteSettingsFile(
        folder, Gbk(ItemSection("A1").Tariff(kDefaultTariff).InUse("2024/05/06 13:00:00") +
                    ItemSection("A2").Tariff({.fee = "70"}).Idle() +
                    ItemSection("A3").Tariff({.fee = "70"}).InUse("坏") +
                    ItemSection("A4")
                        .Tariff({.period = "60", .fee = "50", .unit = "15", .price = "40"})
                        .InUse("2024/05/06 17:00:00")));
    const OwedNow owed = OwedAt(settings, core::ToDateTime({2024, 5, 6, 18, 31, 0}));
    EXPECT_EQ(owed.items, 3);
    EXPECT_EQ(owed.unreadable, 1);
    EXPECT_EQ(owed.yuan, 110 + 80);
}

}  // namespace
}  // namespace durava::operations
