#include "core/startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/datetime.h"
#include "support/temp_folder.h"

namespace durava::core {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class StartUpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetClock([] { return ToDateTime({2024, 5, 31, 23, 59, 58}); });
    }
    void TearDown() override { SetClock({}); }

    TempFolder m_folder;
};

TEST_F(StartUpTest, buildsBothPathsFromTheDocumentsFolderAndTheMonth) {
    const std::string documents = DocumentsFolder(m_folder.path().u16string());
    ASSERT_EQ(documents, m_folder.text());
    AppState state = StartUp(documents);
    EXPECT_EQ(state.SettingsPath(), documents + "ROOMSETTING.ini");
    EXPECT_EQ(state.HistoryFolder, documents + "History/");
    EXPECT_TRUE(std::filesystem::is_directory(m_folder / "History"));
    EXPECT_TRUE(state.CurrentItemName.empty());
    EXPECT_FALSE(std::filesystem::exists(m_folder / "ROOMSETTING.ini"));
}

TEST_F(StartUpTest, aRecordBelongsToTheMonthOfItsTimeNotOfTheStartUp) {
    const AppState state = StartUp(m_folder.text());
    const std::string folder = m_folder.text() + "History/";
    EXPECT_EQ(HistoryFilePath(state.HistoryFolder, CurrentTime()), folder + "202405.QY.txt");
    EXPECT_EQ(HistoryFilePath(state.HistoryFolder, ToDateTime({2024, 6, 1, 0, 0, 5})),
              folder + "202406.QY.txt");
    EXPECT_EQ(HistoryFilePath(state.HistoryFolder, ToDateTime({2025, 1, 31, 23, 59, 59})),
              folder + "202501.QY.txt");
}

TEST_F(StartUpTest, removesTemporariesOfInterruptedWritesAndNothingElse) {
    for (const char* name :
         {"ROOMSETTING.ini.a1B2c3", "ROOMSETTING.ini.toolong7", "notes.txt", "ROOMSETTING.ini"}) {
        WriteBytes(m_folder / name, "x");
    }
    StartUp(m_folder.text());
    EXPECT_FALSE(std::filesystem::exists(m_folder / "ROOMSETTING.ini.a1B2c3"));
    for (const char* kept : {"ROOMSETTING.ini.toolong7", "notes.txt", "ROOMSETTING.ini"}) {
        EXPECT_TRUE(std::filesystem::exists(m_folder / kept)) << kept;
    }
}

TEST_F(StartUpTest, leavesAnExistingHistoryFolderAlone) {
    std::filesystem::create_directory(m_folder / "History");
    WriteBytes(m_folder / "History" / "202404.QY.txt", "old\r\n");
    StartUp(m_folder.text());
    EXPECT_EQ(ReadBytes(m_folder / "History" / "202404.QY.txt"), "old\r\n");
}

TEST_F(StartUpTest, withoutADocumentsFolderUsesTheCurrentDirectory) {
    EXPECT_EQ(DocumentsFolder(u""), "");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.path());
    AppState state = StartUp("");
    std::filesystem::current_path(previous);
    EXPECT_EQ(state.SettingsPath(), "ROOMSETTING.ini");
    EXPECT_EQ(state.HistoryFolder, "History/");
    EXPECT_TRUE(std::filesystem::is_directory(m_folder / "History"));
}

TEST(DocumentsFolderTest, keepsOneSeparatorAndReplacesWhatGbkCannotHold) {
    EXPECT_EQ(DocumentsFolder(u"/home/a/Documents/"), "/home/a/Documents/");
    EXPECT_EQ(DocumentsFolder(u"/home/\u6587\u6863"), "/home/\xCE\xC4\xB5\xB5/");  // 文档
    EXPECT_EQ(DocumentsFolder(u"/home/\u0E01"), "/home/?/");
}

TEST(DirectoryOfPathTest, keepsThePathUpToItsLastSeparator) {
    EXPECT_EQ(DirectoryOfPath("/home/a/Documents/History/202405.QY.txt"),
              "/home/a/Documents/History/");
    EXPECT_EQ(DirectoryOfPath("a/b/"), "a/");
    EXPECT_EQ(DirectoryOfPath("abc"), "");
    EXPECT_EQ(DirectoryOfPath(""), "");
}

TEST(CreateDirectoryTreeTest, createsEveryLevelAndReportsTheResult) {
    TempFolder folder;
    EXPECT_TRUE(CreateDirectoryTree(folder.text() + "x/y/z/"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "x" / "y" / "z"));
    EXPECT_TRUE(CreateDirectoryTree(folder.text() + "x/y/z"));
    EXPECT_FALSE(CreateDirectoryTree("ab"));
    testing::WriteBytes(folder / "file", "");
    EXPECT_FALSE(CreateDirectoryTree(folder.text() + "file/sub/"));
}

}  // namespace
}  // namespace durava::core
