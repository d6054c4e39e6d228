// SPDX-License-Identifier: MIT
#include "store/startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "support/temp_folder.h"

namespace durava::store {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class StartUpTest : public ::testing::Test {
  protected:
    TempFolder m_folder;
};

TEST_F(StartUpTest, buildsBothPathsFromTheDocumentsFolder) {
    const std::filesystem::path documents = store::DocumentsFolder(m_folder.path().u16string());
    ASSERT_EQ(documents, m_folder.path());
    store::AppState state = store::StartUp(documents);
    EXPECT_EQ(state.SettingsPath(), documents / "ROOMSETTING.ini");
    EXPECT_EQ(state.HistoryFolder, documents / "History");
    EXPECT_TRUE(std::filesystem::is_directory(m_folder / "History"));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "ROOMSETTING.ini"));
}

// An operator's copies next to the settings file, and a write of a running copy, are not ours to
// remove; only an old temporary file of an interrupted write is.
TEST_F(StartUpTest, removesOnlyOldTemporariesOfInterruptedWrites) {
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    const struct {
        const char* name;
        bool old, removed;
    } files[] = {
        {".ROOMSETTING.ini.durava-a1b2c3d4.tmp", true, true},
        {".ROOMSETTING.ini.durava-e5f6g7h8.tmp", false, false},  // a running copy's write
        {".ROOMSETTING.ini.durava-toolong99.tmp", true, false},
        {"ROOMSETTING.ini.backup", true, false},
        {"ROOMSETTING.ini.bak123", true, false},
        {"ROOMSETTING.ini.202405", true, false},
        {"ROOMSETTING.ini.a1B2c3", true, false},
        {"notes.txt", true, false},
        {"ROOMSETTING.ini", true, false},
    };
    for (const auto& file : files) {
        WriteBytes(m_folder / file.name, "x");
        if (file.old) std::filesystem::last_write_time(m_folder / file.name, old);
    }
    store::StartUp(m_folder.path());
    for (const auto& file : files) {
        EXPECT_EQ(std::filesystem::exists(m_folder / file.name), !file.removed) << file.name;
    }
}

// Folder names code page 936 cannot hold (Korean, an emoji) are used as they are: nothing lands in
// a "??" folder beside them.
TEST_F(StartUpTest, keepsTheStoresInAFolderWhoseNameCodePage936CannotHold) {
    const std::filesystem::path documents =
        store::DocumentsFolder(m_folder.path().u16string() + u"/\uBB38\uC11C \U0001F600");
    std::filesystem::create_directory(documents);
    store::AppState state = store::StartUp(documents);
    ASSERT_TRUE(state.Settings.WriteSetting("A", "k", "1"));
    EXPECT_EQ(ReadBytes(documents / "ROOMSETTING.ini"), "[A]\r\nk=1\r\n");
    EXPECT_TRUE(std::filesystem::is_directory(documents / "History"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.path()), {}), 1);
}

TEST_F(StartUpTest, leavesAnExistingHistoryFolderAlone) {
    std::filesystem::create_directory(m_folder / "History");
    WriteBytes(m_folder / "History" / "202404.QY.txt", "old\r\n");
    store::StartUp(m_folder.path());
    EXPECT_EQ(ReadBytes(m_folder / "History" / "202404.QY.txt"), "old\r\n");
}

TEST_F(StartUpTest, withoutADocumentsFolderUsesTheCurrentDirectory) {
    EXPECT_EQ(store::DocumentsFolder(u""), std::filesystem::path());
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.path());
    store::AppState state = store::StartUp({});
    std::filesystem::current_path(previous);
    EXPECT_EQ(state.SettingsPath(), "ROOMSETTING.ini");
    EXPECT_EQ(state.HistoryFolder, std::filesystem::path("History"));
    EXPECT_TRUE(std::filesystem::is_directory(m_folder / "History"));
}

TEST(CreateDirectoryTreeTest, createsEveryLevelAndReportsTheResult) {
    TempFolder folder;
    EXPECT_TRUE(store::CreateDirectoryTree(folder / "x" / "y" / "z"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "x" / "y" / "z"));
    EXPECT_TRUE(store::CreateDirectoryTree(folder / "x" / "y" / "z"));
    testing::WriteBytes(folder / "file", "");
    EXPECT_FALSE(store::CreateDirectoryTree(folder / "file" / "sub"));
}

}  // namespace
}  // namespace durava::store
