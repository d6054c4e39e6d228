// SPDX-License-Identifier: MIT
#include "history/historyfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace durava::history {
namespace {

using Records = std::vector<std::vector<std::string>>;
using testing::Gbk;

// The checkout of item A1 from 13:00 to 18:31, in GBK bytes.
const std::string kExample =
    "A1@2024/05/06 13:00:00@2024/05/06 18:31:00@5 \xCA\xB1 31 \xB7\xD6 0 \xC3\xEB@4 "
    "\xD0\xA1\xCA\xB1 0 \xB7\xD6@1 \xCA\xB1 31 \xB7\xD6@30 \xB7\xD6\xD6\xD3@20 \xD4\xAA / "
    "\xD0\xA1\xCA\xB1@70 \xD4\xAA@40 \xD4\xAA@\xA3\xA4"
    "110 \xD4\xAA";

Records RecordsOf(const HistoryMonth& month) {
    Records records(month.RecordCount());
    for (std::size_t r = 0; r < records.size(); ++r) {
        for (std::size_t f = 0; f < month.FieldCount(r); ++f) {
            records[r].emplace_back(month.Field(r, f));
        }
    }
    return records;
}

class HistoryFileTest : public ::testing::Test {
  protected:
    std::string PathText(const std::string& name) const { return m_folder.text() + name; }

    testing::TempFolder m_folder;
    const std::string m_month = PathText("202405.QY.txt");
};

TEST_F(HistoryFileTest, firstAppendCreatesTheFileWithOneLine) {
    ASSERT_TRUE(AppendHistoryRecord(m_month, kExample));
    EXPECT_EQ(testing::ReadBytes(m_folder / "202405.QY.txt"), kExample + "\r\n");

    const Records records = RecordsOf(ReadHistoryMonth(m_month));
    ASSERT_EQ(records.size(), 1u);
    ASSERT_EQ(records[0].size(), 11u);
    EXPECT_EQ(records[0][0], "A1");
    EXPECT_EQ(records[0][3], "5 \xCA\xB1 31 \xB7\xD6 0 \xC3\xEB");
    EXPECT_EQ(records[0][10],
              "\xA3\xA4"
              "110 \xD4\xAA");
}

TEST_F(HistoryFileTest, appendKeepsEarlierLinesAndMendsAnUnfinishedLastLine) {
    testing::WriteBytes(m_folder / "202405.QY.txt", "B2@x\r\nC3@y");
    ASSERT_TRUE(AppendHistoryRecord(m_month, kExample));
    EXPECT_EQ(testing::ReadBytes(m_folder / "202405.QY.txt"),
              "B2@x\r\nC3@y\r\n" + kExample + "\r\n");
    EXPECT_EQ(ReadHistoryMonth(m_month).RecordCount(), 3u);
}

// A kill or a power cut can stop a record's write at any byte: what landed is no record of its use
// until it reaches its total.
TEST_F(HistoryFileTest, aRecordCutShortIsNoRecordOfItsUse) {
    const std::string before = "B2@x\r\n";
    const std::string whole = before + kExample + "\r\n";
    for (std::size_t cut = before.size(); cut <= whole.size(); ++cut) {
        testing::WriteBytes(m_folder / "202405.QY.txt", whole.substr(0, cut));
        const std::optional<std::string> record = RecordOfUse(m_month, "A1", "2024/05/06 13:00:00");
        EXPECT_EQ(record.has_value(), cut >= before.size() + kExample.size()) << cut;
        if (record) {
            EXPECT_EQ(*record, kExample);
        }
    }
}

TEST_F(HistoryFileTest, recordsThatWouldNotReadBackAsOneLineAreRefused) {
    testing::WriteBytes(m_folder / "202405.QY.txt", "B2@x\r\n");
    for (const std::string& record : {std::string("A1\r\n@x"), std::string("A1\r@x"),
                                      std::string("A1\n@x"), std::string("A1\0@x", 5)}) {
        EXPECT_FALSE(AppendHistoryRecord(m_month, record));
    }
    EXPECT_EQ(testing::ReadBytes(m_folder / "202405.QY.txt"), "B2@x\r\n");
    EXPECT_FALSE(AppendHistoryRecord(PathText("202406.QY.txt"), "A1\n"));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "202406.QY.txt"));
}

TEST_F(HistoryFileTest, appendFailsWhereNoFileCanBeWritten) {
    std::filesystem::create_directory(m_folder / "folder.QY.txt");
    EXPECT_FALSE(AppendHistoryRecord(PathText("folder.QY.txt"), kExample));
    EXPECT_FALSE(AppendHistoryRecord(PathText("History/202405.QY.txt"), kExample));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "History"));
}

TEST_F(HistoryFileTest, nameWithAtSignShiftsTheOtherFieldsRight) {
    ASSERT_TRUE(AppendHistoryRecord(m_month, "A@" + kExample));
    const HistoryMonth month = ReadHistoryMonth(m_month);
    ASSERT_EQ(month.RecordCount(), 1u);
    ASSERT_EQ(month.FieldCount(0), 12u);
    EXPECT_EQ(month.Field(0, 0), "A");
    EXPECT_EQ(month.Field(0, 1), "A1");
    EXPECT_EQ(month.Field(0, 2), "2024/05/06 13:00:00");
}

struct ReadCase {
    std::string bytes;
    Records records;
};

TEST(HistoryMonth, splitsLinesAtCrLfAndFieldsAtAtSign) {
    const ReadCase cases[] = {
        {"", {}},
        {"a@b\r\n", {{"a", "b"}}},
        {"a@b\r\nc@d", {{"a", "b"}, {"c", "d"}}},
        // An empty line is a row without fields.
        {"a@b\r\n\r\nc\r\n", {{"a", "b"}, {}, {"c"}}},
        {"a@@b@\r\n", {{"a", "", "b"}}},
        // Only CR LF ends a record.
        {"a\nb@c\rd\r\n", {{"a\nb", "c\rd"}}},
        {std::string("a@b\r\nc\0@d\r\ne\r\n", 14), {{"a", "b"}, {"c"}}},
        // The second byte of 丂 is "@", not a separator.
        {"\x81\x40@x\r\n", {{"\x81\x40", "x"}}},
        // 0x80 ("€") is a character of one byte: the "@" after it separates.
        {"A\x80@x\r\n\xFF@\r\n", {{"A\x80", "x"}, {"\xFF"}}},
        {"\r\n\r\n\r\n", {{}, {}, {}}},
        {"\r\r\n\n", {{"\r"}, {"\n"}}},
        // Runs of double-byte characters before an "@": only the lead byte's own "@" is kept.
        {"\xA1\xA1\xB6\x40@\x81@@\r\n", {{"\xA1\xA1\xB6\x40", "\x81@"}}},
        {"a\x81\x81\x81@b\r\n", {{"a\x81\x81\x81@b"}}},
    };
    std::vector<std::string_view> fields;
    for (const ReadCase& c : cases) {
        const HistoryMonth month(c.bytes);
        EXPECT_EQ(RecordsOf(month), c.records) << c.bytes;
        for (std::size_t r = 0; r < month.RecordCount(); ++r) {
            month.SplitFields(r, fields);
            EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.end()), c.records[r])
                << c.bytes;
        }
    }
    // Records are found in any order of asking, and what a record lacks reads as empty.
    const HistoryMonth month("a@b\r\nc\r\nd@e@f");
    EXPECT_EQ(month.Field(2, 2), "f");
    EXPECT_EQ(month.Field(0, 1), "b");
    EXPECT_EQ(month.Field(1, 1), "");
    EXPECT_EQ(month.Field(3, 0), "");
}

TEST_F(HistoryFileTest, missingOrUnreadableMonthHasNoRecords) {
    EXPECT_EQ(ReadHistoryMonth(PathText("209912.QY.txt")).RecordCount(), 0u);
    std::filesystem::create_directory(m_folder / "folder.QY.txt");
    EXPECT_EQ(ReadHistoryMonth(PathText("folder.QY.txt")).RecordCount(), 0u);
}

// Month files damaged by hand edits, torn writes or other programs: a record appended to them
// still reads back whole, after the records that were there.

struct DamagedMonth {
    const char* what;
    std::string bytes;
    Records before;
};

TEST(DamagedMonthFile, appendedRecordReadsBackWholeAfterTheRecordsThatWereThere) {
    const DamagedMonth cases[] = {
        {"last line ended by a bare LF", "A1@x\n", {{"A1", "x\n"}}},
        {"lone LF", "\n", {{"\n"}}},
        {"last line cut inside a double-byte character", "A1@x\x8e", {{"A1", "x\x8e"}}},
        {"cut character before the line break",
         "A1@x\x81\r\nB2@y\r\n",
         {{"A1", "x\x81"}, {"B2", "y"}}},
        {"line break cut short after its CR", "A1@x\r", {{"A1", "x"}}},
        {"unfinished last line", "A1@x", {{"A1", "x"}}},
    };
    const std::string record = "C3@2024/05/06 13:00:00@\x81\x40";  // 丂 ends in "@"
    for (const DamagedMonth& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempFolder folder;
        testing::WriteBytes(folder / "202405.QY.txt", c.bytes);
        const std::string path = folder.text() + "202405.QY.txt";
        ASSERT_EQ(RecordsOf(ReadHistoryMonth(path)), c.before);
        ASSERT_TRUE(AppendHistoryRecord(path, record));
        Records expected = c.before;
        expected.push_back({"C3", "2024/05/06 13:00:00", "\x81\x40"});
        EXPECT_EQ(RecordsOf(ReadHistoryMonth(path)), expected);
    }
}

TEST(RecordFields, moneyAndDurationTextsReadOnlyInTheirWrittenForms) {
    const struct {
        const char* text;
        std::optional<std::int64_t> yuan, seconds;
    } cases[] = {
        {"￥110 元", 110, {}},
        {"40 元", 40, {}},
        {"￥-5 元", -5, {}},
        {"￥9223372036854775807 元", {}, {}},
        {"￥1e+013 元", {}, {}},
        {"￥110元", {}, {}},
        {"110", {}, {}},
        {" 元", {}, {}},
        {"开始时间有误", {}, {}},
        {"5 时 31 分 0 秒", {}, 5 * 3600 + 31 * 60},
        {"25 时 5 分 9 秒", {}, 25 * 3600 + 5 * 60 + 9},
        {"0 时 0 分 0 秒", {}, 0},
        {"5 时 31 分", {}, {}},
        {"0 时 999999999999999999 分 0 秒", {}, {}},
        {"5 时 31 分 0 秒 ", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(MoneyOf(Gbk(c.text)), c.yuan);
        EXPECT_EQ(DurationOf(Gbk(c.text)), c.seconds);
    }
}

TEST(RecordFields, endTimesGiveTheirDay) {
    const struct {
        const char* text;
        std::optional<int> day;
    } cases[] = {
        {"2024/05/06 18:31:00", 6},
        {"2024/02/29 23:59:59", 29},
        {"2023/02/29 10:00:00", {}},
        {"2024/02/30 10:00:00", {}},
        {"0099/12/31 10:00:00", {}},
        {"0100/01/01 00:00:00", {}},
        {"0100/01/01 00:00:01", 1},
        {"1899/12/29 23:59:59", 29},
        {"9999/12/31 23:59:59", 31},
        {"2024/05/06 24:00:00", {}},
        {"2024-05-07 08:00:00", 7},
        {"昨天", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<core::CalendarTime> day = DayOf(Gbk(c.text));
        EXPECT_EQ(day ? day->day : 0, c.day.value_or(0));
    }
}

}  // namespace
}  // namespace durava::history
