// SPDX-License-Identifier: MIT
#include "history/takings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "history/periodtakings.h"
#include "history/receipt.h"
#include "history/takingscsv.h"
#include "history/takingstexts.h"
#include "support/temp_folder.h"

namespace durava::history {
namespace {

using testing::Gbk;

// A record as the checkout window writes it, with the fields that matter here in the call.
std::string Record(std::string_view name, std::string_view end, std::string_view duration,
                   std::string_view total) {
    return std::string(name) + "@2024/05/06 13:00:00@" + std::string(end) + "@" +
           std::string(duration) + "@4 小时 0 分@1 时 31 分@30 分钟@20 元 / 小时@70 元@40 元@" +
           std::string(total);
}

HistoryMonth MonthOf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += Gbk(line) + "\r\n";
    return HistoryMonth(text);
}

TEST(Takings, totalsDaysAndItemsCountEveryReadableRecordOnce) {
    const HistoryMonth month = MonthOf({
        Record("A1", "2024/05/06 18:31:00", "5 时 31 分 0 秒", "￥110 元"),
        Record("包间1", "2024/05/06 20:00:00", "2 时 0 分 0 秒", "50 元"),
        Record("A1", "2024/05/31 23:10:00", "1 时 0 分 30 秒", "￥70 元"),
        // Checked out after midnight by a program started in May: the day still counts.
        Record("包间1", "2024/06/01 00:30:00", "10 时 0 分 0 秒", "￥290 元"),
        Record("A2", "2024/05/07 09:00:00", "1 时 0 分 0 秒", "￥70 元"),
    });
    const MonthTakings takings = ComputeTakings(month, 2024, 5);
    EXPECT_EQ(takings.total.yuan, 590);
    EXPECT_EQ(takings.total.uses, 5);
    EXPECT_EQ(takings.total.seconds, (19 * 3600 + 31 * 60 + 30));
    EXPECT_TRUE(takings.unreadable.empty());

    ASSERT_EQ(takings.days.size(), 32u);
    EXPECT_EQ(takings.days[5].date.day, 6);
    EXPECT_EQ(takings.days[5].takings.yuan, 160);
    EXPECT_EQ(takings.days[5].takings.uses, 2);
    EXPECT_EQ(takings.days[0].takings.uses, 0);
    EXPECT_EQ(takings.days[31].date.month, 6);
    EXPECT_EQ(takings.days[31].takings.yuan, 290);
    EXPECT_EQ(TakingsOn(takings, {2024, 5, 7, 12, 0, 0}), 70);
    EXPECT_EQ(TakingsOn(takings, {2024, 4, 7}), 0);

    ASSERT_EQ(takings.items.size(), 3u);
    EXPECT_EQ(takings.items[0].name, Gbk("包间1"));
    EXPECT_EQ(takings.items[0].takings.yuan, 340);
    EXPECT_EQ(takings.items[1].name, "A1");
    EXPECT_EQ(takings.items[1].takings.uses, 2);
    EXPECT_EQ(takings.items[2].name, "A2");
}

TEST(Takings, oddRecordsAreListedApartAndNotAdded) {
    std::vector<std::string> lines = {
        Record("A1", "2024/05/06 18:31:00", "5 时 31 分 0 秒", "￥110 元"),
        "A1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 分 0 秒",
        "",
        Record("A@1", "2024/05/06 18:31:00", "5 时 31 分 0 秒", "￥110 元"),
        Record("A1", "2024/13/06 18:31:00", "5 时 31 分 0 秒", "￥110 元"),
        Record("A1", "2024/05/06 18:31:00", "开始时间有误", "开始时间有误"),
        Record("A1", "2024/05/06 18:31:00", "5 时 31 分 0 秒", "110 yuan"),
        Record("A1", "2024/05/06 18:31:00", "5 时 31 分", "￥110 元"),
    };
    // Nine of these fit 64 bits beside the first record; the tenth does not.
    lines.insert(lines.end(), 10,
                 Record("B1", "2024/05/07 18:31:00", "5 时 31 分 0 秒", "￥999999999999999999 元"));
    const MonthTakings takings = ComputeTakings(MonthOf(lines));
    const std::vector<std::pair<std::size_t, Unreadable>> expected = {
        {1, Unreadable::MissingFields}, {2, Unreadable::Empty},        {3, Unreadable::ExtraFields},
        {4, Unreadable::EndTime},       {5, Unreadable::StartTime},    {6, Unreadable::Total},
        {7, Unreadable::Duration},      {17, Unreadable::SumOverflow},
    };
    ASSERT_EQ(takings.unreadable.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(takings.unreadable[i].record, expected[i].first);
        EXPECT_EQ(takings.unreadable[i].reason, expected[i].second);
        EXPECT_EQ(takings.unreadable[i].line, Gbk(lines[expected[i].first]));
    }
    EXPECT_EQ(takings.total.uses, 10);
    EXPECT_EQ(takings.total.yuan, 110 + 9 * 999999999999999999);
    EXPECT_EQ(takings.days.size(), 2u);
    EXPECT_EQ(takings.items[0].takings.uses, 9);
}

// A span across a year's end: the day of 2024/01/01 is held in two files, the month before the
// span is missing, and stopping the reading gives nothing.
TEST(PeriodTakings, eachRecordCountsOnTheDayItEndedWhicheverFileHoldsIt) {
    testing::TempFolder folder;
    testing::WriteBytes(
        folder / "202312.QY.txt",
        Gbk(Record("A1", "2023/12/20 18:00:00", "1 时 0 分 0 秒", "￥50 元") + "\r\n" +
            Record("A1", "2023/12/31 18:00:00", "1 时 0 分 0 秒", "￥110 元") + "\r\n" +
            Record("A2", "2024/01/01 00:10:00", "1 时 0 分 0 秒", "￥70 元") + "\r\n\r\n"));
    testing::WriteBytes(
        folder / "202401.QY.txt",
        Gbk(Record("A2", "2024/01/01 09:00:00", "1 时 0 分 0 秒", "￥90 元") + "\r\n"));
    const std::optional<PeriodTakings> span =
        ComputePeriod(folder.path(), {2023, 12, 30}, {2024, 1, 2}, {}, PeriodRecords::Kept);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->takings.total.yuan, 270);
    ASSERT_EQ(span->takings.days.size(), 4u);
    EXPECT_EQ(span->takings.days[2].takings.uses, 2);
    EXPECT_EQ(span->takings.days[2].takings.yuan, 160);
    ASSERT_EQ(span->files.size(), 3u);
    EXPECT_EQ(span->files[0].state, FileState::Missing);
    ASSERT_EQ(span->takings.unreadable.size(), 1u);
    EXPECT_EQ(span->takings.unreadable[0].file, 1u);
    const std::string csv =
        RecordsCsv(span->months, span->takings, DaySpan{{2023, 12, 30}, {2024, 1, 2}});
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 5);

    const std::vector<DayTakings> months = MonthsOf(span->takings.days);
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(DayText(months[1].date), "2024/01");
    EXPECT_EQ(months[1].takings.yuan, 160);
    EXPECT_TRUE(ComputePeriod(folder.path(), {2023, 12, 30}, {2024, 1, 2})->months.empty());
    EXPECT_FALSE(ComputePeriod(folder.path(), {2024, 1, 1}, {2024, 12, 31},
                               [](std::size_t done, std::size_t) { return done < 2; }));
}

std::string Utf8Csv(std::string_view gbkLines) {
    return "\xEF\xBB\xBF" + std::string(gbkLines);
}

TEST(TakingsCsv, recordsKeepEveryByteAndGiveAmountsAsNumbers) {
    const HistoryMonth month = MonthOf({
        Record("A1", "2024/05/06 18:31:00", "5 时 31 分 0 秒", "￥110 元"),
        Record("包间\"1\",大", "2024/05/06 18:31:00", "开始时间有误", "开始时间有误"),
        // Ten fields: none may land under another field's header.
        "A1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 分 0 秒@1 时 31 分@30 分钟@20 元 / "
        "小时@70 元@40 元@￥100 元",
        Record("A@1", "2024/05/06 18:31:00", "5 时 31 分 0 秒", "￥110 元"),
        "",
    });
    const std::string csv = RecordsCsv({&month, 1}, ComputeTakings(month));
    EXPECT_EQ(
        csv,
        Utf8Csv("名称,开始时间,结束时间,使用时长,初始时段,超时时长,最小单位,超时单价,初始费用,"
                "超时费用,总费用,备注,原始记录\r\n"
                "A1,2024/05/06 13:00:00,2024/05/06 18:31:00,5 时 31 分 0 秒,4 小时 0 分,1 时 "
                "31 分,30 分钟,20 元 / 小时,70,40,110,,\r\n"
                "\"包间\"\"1\"\",大\",2024/05/06 13:00:00,2024/05/06 18:31:00,开始时间有误,4 "
                "小时 0 分,1 时 31 分,30 分钟,20 元 / 小时,70 元,40 元,开始时间有误,"
                "开始时间有误,\r\n"
                ",,,,,,,,,,,记录不完整,A1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 "
                "分 0 秒@1 时 31 分@30 分钟@20 元 / 小时@70 元@40 元@￥100 元\r\n"
                ",,,,,,,,,,,记录多出内容,A@1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 时 31 分 "
                "0 秒@4 小时 0 分@1 时 31 分@30 分钟@20 元 / 小时@70 元@40 元@￥110 元\r\n"
                ",,,,,,,,,,,空行,\r\n"));
}

TEST(TakingsCsv, totalsGiveOneRowPerDayAndTheMonth) {
    const HistoryMonth month = MonthOf({
        Record("A1", "2024/05/06 18:31:00", "5 时 31 分 0 秒", "￥110 元"),
        Record("A1", "2024/05/07 18:31:00", "0 时 45 分 0 秒", "￥70 元"),
    });
    const std::string csv = TotalsCsv(ComputeTakings(month));
    EXPECT_EQ(csv, Utf8Csv("日期,营业额,使用次数,使用小时\r\n2024/05/06,110,1,5.52\r\n"
                           "2024/05/07,70,1,0.75\r\n合计,180,2,6.27\r\n"));
}

TEST(Receipt, namesEveryFieldAsTheHistoryColumnsDo) {
    const HistoryMonth month = MonthOf({
        Record("A1", "2024/05/06 18:31:00", "5 时 31 分 0 秒", "￥110 元"),
        "B2@2024/05/06 13:00:00",
        Record("A1", "2024/05/06 18:31:00", "5 时 31 分 0 秒", "￥5000020720 元"),
    });
    const std::vector<std::string> full = ReceiptLines(month, 0);
    ASSERT_EQ(full.size(), 11u);
    EXPECT_EQ(full[0], Gbk("名称：A1"));
    EXPECT_EQ(full[3], Gbk("使用时长：5 时 31 分 0 秒"));
    EXPECT_EQ(full[10], Gbk("总费用：￥110 元"));
    const std::vector<std::string> partial = ReceiptLines(month, 1);
    EXPECT_EQ(partial[1], Gbk("开始时间：2024/05/06 13:00:00"));
    EXPECT_EQ(partial[2], Gbk("结束时间："));
    const std::vector<std::string> large = ReceiptLines(month, 2);
    EXPECT_EQ(large[7], Gbk("超时单价：20 元 / 小时"));
    EXPECT_EQ(large[10], Gbk("总费用：￥5,000,020,720 元"));
}

// A month saved with LF line ends is one record of every field in the file: each is cut once.
TEST(Receipt, aMonthOfOneEndlessRecordIsCutOnce) {
    std::string text;
    for (int line = 0; line < 20000; ++line) text += "A1@2024/05/06 13:00:00@x@y@z@w@v@u@t@s\n";
    const HistoryMonth month(text);
    ASSERT_EQ(month.RecordCount(), 1u);
    // The eleventh field is the second line's start time; it carries the rest of the file.
    const std::size_t eleventh = text.find('@', text.find('\n')) + 1;
    EXPECT_EQ(ReceiptLines(month, 0)[10].size(), Gbk("总费用：").size() + text.size() - eleventh);
    EXPECT_NE(RecordsCsv({&month, 1}, ComputeTakings(month)).find("A1"), std::string::npos);
}

}  // namespace
}  // namespace durava::history
