// SPDX-License-Identifier: MIT
#include "history/monthfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/datetime.h"
#include "support/temp_folder.h"

namespace durava::history {
namespace {

using core::TextArray;

class FindFilesTest : public ::testing::Test {
  protected:
    // `name` is UTF-8, whatever the platform's narrow code page.
    void Make(std::string_view name) {
        testing::WriteBytes(m_folder.path() / std::u8string(name.begin(), name.end()), "A1@x\r\n");
    }

    testing::TempFolder m_folder;
};

TEST_F(FindFilesTest, listsTheMonthFilesDirectlyInTheFolderOldestFirst) {
    for (const char* name : {"202403.QY.txt", "202405.QY.txt", "202404.QY.txt", "notes.txt",
                             "202406.QY.txt.bak", "202407.QY.txtx", "202408QY.txt"}) {
        Make(name);
    }
    std::filesystem::create_directory(m_folder / "202401.QY.txt");
    std::filesystem::create_directory(m_folder / "sub");
    Make("sub/202402.QY.txt");
    TextArray found{"left from before"};

    EXPECT_EQ(FindFiles(m_folder.path(), kMonthFilePattern, found), 3u);
    EXPECT_EQ(found, (TextArray{"202403.QY.txt", "202404.QY.txt", "202405.QY.txt"}));
}

TEST_F(FindFilesTest, aFolderWithoutSeparatorOrWithoutFilesGivesWhatItHolds) {
    Make("202405.QY.txt");
    std::string folder = m_folder.text();
    folder.pop_back();
    TextArray found;
    EXPECT_EQ(FindFiles(folder, kMonthFilePattern, found), 1u);
    EXPECT_EQ(found, TextArray{"202405.QY.txt"});

    found = {"left from before"};
    EXPECT_EQ(FindFiles(m_folder / "missing", kMonthFilePattern, found), 0u);
    EXPECT_TRUE(found.empty());
}

TEST_F(FindFilesTest, namesAreProgramTextsSortedByteForByte) {
    for (const char* name : {"b.QY.txt", "\xE4\xBA\x8C.QY.txt" /* 二 */, "C.QY.txt", "a.QY.txt"}) {
        Make(name);
    }
    TextArray found;
    FindFiles(m_folder.path(), kMonthFilePattern, found);
    EXPECT_EQ(found, (TextArray{"C.QY.txt", "a.QY.txt", "b.QY.txt", "\xB6\xFE.QY.txt"}));
}

#ifndef _WIN32
// Each of these would be listed and then fail to open, or block the window thread on reading.
TEST_F(FindFilesTest, leavesOutNamesAndFilesTheViewerCouldNotOpen) {
    Make("\xFF\xFE.QY.txt");          // not UTF-8
    Make("\xF0\x9F\x98\x80.QY.txt");  // outside code page 936
    Make("202405.qy.txt");            // differs in case on a case-sensitive system
    ASSERT_EQ(::mkfifo((m_folder / "202404.QY.txt").c_str(), 0600), 0);
    std::filesystem::create_symlink(m_folder / "missing", m_folder / "202403.QY.txt");
    Make("202402.QY.txt");
    TextArray found;
    EXPECT_EQ(FindFiles(m_folder.path(), kMonthFilePattern, found), 1u);
    EXPECT_EQ(found, TextArray{"202402.QY.txt"});
}
#endif

TEST(SortTextArrayTest, sortsAscendingByBytesKeepingEqualTexts) {
    TextArray texts{"b", "\xB6\xFE", "B", "a", "A", "a", ""};
    SortTextArray(texts);
    EXPECT_EQ(texts, (TextArray{"", "A", "B", "a", "a", "b", "\xB6\xFE"}));
}

TEST(MonthFileTest, aRecordBelongsToTheMonthOfItsTime) {
    const std::filesystem::path folder = "History";
    EXPECT_EQ(MonthFile::Of(core::ToDateTime({2024, 5, 31, 23, 59, 58})).Path(folder),
              folder / "202405.QY.txt");
    EXPECT_EQ(MonthFile::Of(core::ToDateTime({2024, 6, 1, 0, 0, 5})).Path(folder),
              folder / "202406.QY.txt");
    EXPECT_EQ(MonthFile::Of(core::ToDateTime({2025, 1, 31, 23, 59, 59})).Path(folder),
              folder / "202501.QY.txt");
    EXPECT_EQ(MonthFile::Of(core::CalendarTime{2024, 12, 0}).Name(), "202412.QY.txt");
}

// The takings window sums any file the history window lists; only a name that begins with a
// year and a month lists that month's days.
TEST(MonthFileTest, aListedNameGivesItsTitleStemAndMonth) {
    const struct {
        std::string name, title, stem;
        int year, month;  // 0 for no month
    } cases[] = {
        {"202405.QY.txt", "202405.QY", "202405", 2024, 5},
        {"202405x.QY.txt", "202405x.QY", "202405x", 2024, 5},
        {"\xB6\xFE.QY.txt", "\xB6\xFE.QY", "\xB6\xFE", 0, 0},
        {"202413.QY.txt", "202413.QY", "202413", 0, 0},
        {"000005.QY.txt", "000005.QY", "000005", 0, 0},
        {"20245.QY.txt", "20245.QY", "20245", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MonthFile file(c.name);
        EXPECT_EQ(file.Title(), c.title);
        EXPECT_EQ(file.Stem(), c.stem);
        const core::CalendarTime month = file.Month().value_or(core::CalendarTime{});
        EXPECT_EQ(month.year, c.year);
        EXPECT_EQ(month.month, c.month);
        EXPECT_EQ(MonthFile::Titled(c.title).Name(), c.name);
    }
    EXPECT_EQ(MonthFile("\xB6\xFE.QY.txt").Path("History"),
              std::filesystem::path("History") / u8"\u4E8C.QY.txt");
}

}  // namespace
}  // namespace durava::history
