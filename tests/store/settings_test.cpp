// SPDX-License-Identifier: MIT
#include "store/settings/settings.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "store/files/fileio.h"
#include "store/files/fileio_faults.h"
#include "support/temp_folder.h"

namespace durava::store {
namespace {

using testing::Gbk;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class SettingsFileTest : public ::testing::Test {
  protected:
    std::filesystem::path file() const { return m_folder / "ROOMSETTING.ini"; }
    store::SettingsFile Open(std::string_view bytes) {
        WriteBytes(file(), bytes);
        return store::SettingsFile(file().string());
    }
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(m_folder.path()), {}));
    }

    TempFolder m_folder;
};

TEST_F(SettingsFileTest, readsAFileAsWindowsWritesIt) {
    const std::string bytes =
        Gbk("[A1]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=使用中\r\n"
            "开始时间=2024/05/06 14:05:09\r\n[包间]\r\n状态=空闲中\r\n");
    store::SettingsFile settings = Open(bytes);
    EXPECT_EQ(settings.ReadSetting("A1", Gbk("初始时段")), "240");
    EXPECT_EQ(settings.ReadSetting("A1", Gbk("开始时间")), "2024/05/06 14:05:09");
    EXPECT_EQ(settings.ReadSetting(Gbk("包间"), Gbk("状态")), Gbk("空闲中"));
    EXPECT_EQ(settings.ReadSetting("a1", Gbk("状态")), Gbk("使用中"));
    EXPECT_EQ(settings.ReadSetting("A1", "missing"), "");
    EXPECT_EQ(settings.ReadSetting("A1", "missing", Gbk("无")), Gbk("无"));
    EXPECT_EQ(settings.ReadSetting("B9", Gbk("状态"), Gbk("空闲中")), Gbk("空闲中"));
}

TEST_F(SettingsFileTest, readsHandEditedLinesAsTheProfileFunctionsDo) {
    store::SettingsFile settings = Open(
        "orphan=before any section\n"
        "[ Sec ]  trailing words\r"
        "Key = \t 30 \v\r\n"
        "quoted=\" keep inner \"\r\n"
        "single='x'\r\n"
        "unmatched=\"open\r\n"
        "; hidden=1\r\n"
        "  ;indented=1\r\n"
        "#hash=ordinary\r\n"
        "semi=;x\r\n"
        "noequals\r\n"
        "dup=first\r\n"
        "DUP=second\r\n"
        "[sec]\r\n"
        "other=second section of the same name\r\n"
        "[open\r\n"
        "k=v");
    EXPECT_EQ(settings.ReadSetting("SEC", "key"), "30");
    EXPECT_EQ(settings.ReadSetting("Sec", "quoted"), " keep inner ");
    EXPECT_EQ(settings.ReadSetting("Sec", "single"), "x");
    EXPECT_EQ(settings.ReadSetting("Sec", "unmatched"), "\"open");
    EXPECT_EQ(settings.ReadSetting("Sec", "hidden", "d"), "d");
    EXPECT_EQ(settings.ReadSetting("Sec", "indented", "d"), "d");
    EXPECT_EQ(settings.ReadSetting("Sec", "#hash"), "ordinary");
    EXPECT_EQ(settings.ReadSetting("Sec", "semi"), ";x");
    EXPECT_EQ(settings.ReadSetting("Sec", "noequals", "d"), "d");
    EXPECT_EQ(settings.ReadSetting("Sec", "dup"), "first");
    EXPECT_EQ(settings.ReadSetting("Sec", "other"), "");
    EXPECT_EQ(settings.ReadSetting("Sec", "orphan"), "");
    EXPECT_EQ(settings.ReadSetting("open", "k"), "v");
    // Names from the caller lose blanks; an empty one reads nothing, not even the default.
    EXPECT_EQ(settings.ReadSetting("  Sec  ", " key "), "30");
    EXPECT_EQ(settings.ReadSetting(" \t", "key", "d"), "");
    EXPECT_EQ(settings.ReadSetting("Sec", "", "d"), "");
}

TEST_F(SettingsFileTest, foldsOnlyAsciiLettersThatAreWholeCharacters) {
    // 0x81 0x41 and 0x81 0x61 are two different double-byte characters.
    store::SettingsFile settings =
        Open("[\x81\x41]\r\nk=upper\r\n[\x81\x61]\r\nk=lower\r\n[\x81]x]\r\nk=t\r\n");
    EXPECT_EQ(settings.ReadSetting("\x81\x41", "k"), "upper");
    EXPECT_EQ(settings.ReadSetting("\x81\x61", "k"), "lower");
    // A trail byte equal to "]" does not close the header.
    EXPECT_EQ(settings.ReadSetting("\x81]x", "k"), "t");
}

TEST_F(SettingsFileTest, cutsLongValuesAtTheBufferAndMissingFilesReadAsDefaults) {
    store::SettingsFile settings = Open("[S]\r\nk=" + std::string(20000, 'v') + "\r\n");
    EXPECT_EQ(settings.ReadSetting("S", "k").size(), 10239u);
    store::SettingsFile missing((m_folder / "none.ini").string());
    EXPECT_EQ(missing.ReadSetting("S", "k", "dflt  "), "dflt");
    std::filesystem::create_directory(m_folder / "dir.ini");
    store::SettingsFile directory((m_folder / "dir.ini").string());
    EXPECT_EQ(directory.ReadSetting("S", "k", "d"), "d");
}

TEST_F(SettingsFileTest, firstWriteCreatesTheFileExactly) {
    store::SettingsFile settings(file().string());
    const char* keys[] = {"初始时段", "初始费用", "最小单位", "超时单价", "状态", "开始时间"};
    const char* values[] = {"240", "70", "30", "20", "空闲中", "无"};
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(settings.WriteSetting("A1", Gbk(keys[i]), Gbk(values[i])));
    }
    EXPECT_EQ(ReadBytes(file()), Gbk("[A1]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n"
                                     "超时单价=20\r\n状态=空闲中\r\n开始时间=无\r\n"));
    EXPECT_EQ(EntriesInFolder(), 1u) << "a temporary file was left behind";
}

TEST_F(SettingsFileTest, writesIntoHandEditedFilesTouchingOnlyWhatChanges) {
    const std::string junk("junk\0before\r\n", 13);
    store::SettingsFile settings =
        Open(junk +
             "[A]\r\n; note\r\n Rate = 5 \r\nlast=1\r\n\r\n; tail comment\r\n"
             "[B]\nx=1\nodd line\x1A\n[C]\r\nk=v");
    ASSERT_TRUE(settings.WriteSetting("a", "RATE", "7"));
    ASSERT_TRUE(settings.WriteSetting("A", "new1", "n1"));
    ASSERT_TRUE(settings.WriteSetting("A", "new2", "n2"));
    ASSERT_TRUE(settings.WriteSetting("B", "y", "2"));
    ASSERT_TRUE(settings.WriteSetting("C", "k", " spaced value "));
    ASSERT_TRUE(settings.WriteSetting("D", "z", ""));
    EXPECT_EQ(ReadBytes(file()), junk +
                                     "[A]\r\n; note\r\n Rate =7\r\nlast=1\r\nnew1=n1\r\nnew2=n2\r\n"
                                     "\r\n; tail comment\r\n"
                                     "[B]\nx=1\ny=2\r\nodd line\x1A\n[C]\r\nk= spaced value \r\n"
                                     "[D]\r\nz=\r\n");
    EXPECT_EQ(settings.ReadSetting("A", "rate"), "7");
    EXPECT_EQ(settings.ReadSetting("C", "k"), "spaced value");
}

TEST_F(SettingsFileTest, missingSectionGoesOnANewLineAndKeyAfterABareHeader) {
    store::SettingsFile settings = Open("[A]\r\nk=1");
    ASSERT_TRUE(settings.WriteSetting("B", "k", "2"));
    EXPECT_EQ(ReadBytes(file()), "[A]\r\nk=1\r\n[B]\r\nk=2\r\n");
    store::SettingsFile bare = Open("[A]");
    ASSERT_TRUE(bare.WriteSetting("A", "k", "1"));
    EXPECT_EQ(ReadBytes(file()), "[A]\r\nk=1\r\n");
}

TEST_F(SettingsFileTest, batchedWritesLandTogetherAsSingleWritesWould) {
    const std::string start = "; items\r\n[A]\r\nk=1\r\n[B]\r\nk=2";
    const store::SettingWrite writes[] = {
        {"B", "k", "20"}, {"A", "new", "n"}, {"C", "x", "1"}, {"A", "k", "10"}, {"C", "y", "2"}};
    store::SettingsFile one = Open(start);
    for (const store::SettingWrite& write : writes) {
        ASSERT_TRUE(one.WriteSetting(write.section, write.key, write.value));
    }
    const std::string sequential = ReadBytes(file());
    store::SettingsFile batch = Open(start);
    ASSERT_TRUE(batch.WriteSettings(writes));
    EXPECT_EQ(ReadBytes(file()), sequential);

    const store::SettingWrite withBadValue[] = {{"A", "k", "ok"}, {"A", "k2", "two\nlines"}};
    EXPECT_FALSE(batch.WriteSettings(withBadValue));
    EXPECT_EQ(ReadBytes(file()), sequential);
}

TEST_F(SettingsFileTest, refusedWritesLeaveTheFileAsItWas) {
    const std::string before = "[A]\r\nk=1\r\n";
    store::SettingsFile settings = Open(before);
    EXPECT_FALSE(settings.WriteSetting("A", "k", "1\r\n[B]"));
    EXPECT_FALSE(settings.WriteSetting("A", "k", std::string("a\0b", 3)));
    EXPECT_FALSE(settings.WriteSetting("A]", "k", "1"));
    EXPECT_FALSE(settings.WriteSetting("A", "k=x", "1"));
    EXPECT_FALSE(settings.WriteSetting("A", "[k", "1"));
    EXPECT_FALSE(settings.WriteSetting("   ", "k", "1"));
    // A name ending in a lone lead byte takes the "]" into its last character: the section would
    // never be found again, and each later write would add another.
    EXPECT_FALSE(settings.WriteSetting("B\x81", "k", "1"));
    EXPECT_EQ(ReadBytes(file()), before);

    store::SettingsFile noFolder((m_folder / "absent" / "ROOMSETTING.ini").string());
    EXPECT_FALSE(noFolder.WriteSetting("A", "k", "1"));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "absent"));

    std::filesystem::create_directory(m_folder / "dir.ini");
    store::SettingsFile directory((m_folder / "dir.ini").string());
    EXPECT_FALSE(directory.WriteSetting("A", "k", "1"));
    EXPECT_TRUE(std::filesystem::is_directory(m_folder / "dir.ini"));
}

#ifndef _WIN32
// Windows files carry no mode.
TEST_F(SettingsFileTest, keepsTheFileModeAndGivesNewFilesWhatTheUmaskAllows) {
    store::SettingsFile settings = Open("[A]\r\nk=1\r\n");
    ::chmod(file().c_str(), 0600);
    ASSERT_TRUE(settings.WriteSetting("A", "k", "2"));
    struct stat info;
    ASSERT_EQ(::stat(file().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    const mode_t previous = ::umask(027);
    store::SettingsFile fresh(m_folder / "new.ini");
    const bool written = fresh.WriteSetting("A", "k", "1");
    ::umask(previous);
    ASSERT_TRUE(written);
    ASSERT_EQ(::stat((m_folder / "new.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// What may stand in the settings file's place: each is left as it was, and nothing blocks.
TEST_F(SettingsFileTest, linksAndFifosAreNeverHarmed) {
    const std::string items = "[A]\r\nk=1\r\n";
    std::filesystem::create_directory(m_folder / "synced");
    WriteBytes(m_folder / "synced" / "real.ini", items);
    std::filesystem::create_symlink("synced/real.ini", file());
    store::SettingsFile linked(file());
    ASSERT_TRUE(linked.WriteSetting("A", "k", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(file()));
    EXPECT_EQ(ReadBytes(m_folder / "synced" / "real.ini"), "[A]\r\nk=2\r\n");
    EXPECT_EQ(EntriesInFolder(), 2u);  // no temporary file left beside either
    std::filesystem::remove(file());

    ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
    store::SettingsFile fifo(file());
    EXPECT_EQ(fifo.ReadSetting("A", "k", "default"), "default");
    EXPECT_TRUE(fifo.Unreadable());
    EXPECT_FALSE(fifo.WriteSetting("A", "k", "2"));
    EXPECT_EQ(fifo.LastWriteProblem(), store::FileProblem::Unreadable);
    EXPECT_TRUE(std::filesystem::is_fifo(file()));
}
#endif

// A file stamped in the future never settles, so every look reads it again: one look must serve a
// whole pass over the items.
TEST_F(SettingsFileTest, oneLookServesEveryReadWhileItLasts) {
    store::SettingsFile settings = Open("[A]\r\nk=1\r\n");
    std::filesystem::last_write_time(
        file(), std::filesystem::file_time_type::clock::now() + std::chrono::hours(24));
    {
        const store::SettingsFile::OneLook look(settings);
        ASSERT_EQ(settings.ReadSetting("A", "k"), "1");
        WriteBytes(file(), "[A]\r\nk=2\r\n");
        EXPECT_EQ(settings.ReadSetting("A", "k"), "1");
        // Its own write ends the view.
        ASSERT_TRUE(settings.WriteSetting("A", "j", "3"));
        EXPECT_EQ(settings.ReadSetting("A", "k"), "2");
        WriteBytes(file(), "[A]\r\nk=4\r\n");
        EXPECT_EQ(settings.ReadSetting("A", "k"), "2");
    }
    EXPECT_EQ(settings.ReadSetting("A", "k"), "4");
}

// Windows opens such paths only in their \\?\ form, which the file layer makes itself.
TEST_F(SettingsFileTest, worksInAFolderPastTheOldPathLimit) {
    const auto longForm = [](const std::filesystem::path& path) {
#ifdef _WIN32
        return std::filesystem::path(LR"(\\?\)" + path.wstring());
#else
        return path;
#endif
    };
    std::filesystem::path deep = m_folder.path();
    for (int level = 0; level < 6; ++level) deep /= std::string(50, 'd');
    std::filesystem::create_directories(longForm(deep));
    const std::filesystem::path path = deep / "ROOMSETTING.ini";
    ASSERT_GT(path.native().size(), 300u);
    store::SettingsFile settings(path);
    ASSERT_TRUE(settings.WriteSetting("A", "k", "1"));
    ASSERT_TRUE(settings.WriteSetting("A", "k", "2"));
    EXPECT_EQ(store::SettingsFile(path).ReadSetting("A", "k"), "2");
    EXPECT_TRUE(store::AppendToFile(path, "[B]\r\n", "\r\n"));
    EXPECT_EQ(store::ReadWholeFile(path), "[A]\r\nk=2\r\n[B]\r\n");
    // Level by level: removing a whole tree does not take the long form everywhere.
    std::filesystem::remove(longForm(deep / "ROOMSETTING.ini"));
    for (auto level = deep; level != m_folder.path(); level = level.parent_path()) {
        std::filesystem::remove(longForm(level));
    }
}

TEST_F(SettingsFileTest, refusesToWriteAReadOnlyFile) {
    const std::string bytes = "[A]\r\nk=1\r\n";
    store::SettingsFile settings = Open(bytes);
    std::filesystem::permissions(file(), std::filesystem::perms::all,
                                 std::filesystem::perm_options::remove);
    std::filesystem::permissions(file(), std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::add);
    EXPECT_FALSE(settings.WriteSetting("A", "k", "2"));
    EXPECT_FALSE(settings.RemoveSection("A"));
    EXPECT_EQ(settings.LastWriteProblem(), store::FileProblem::ReadOnly);
    EXPECT_EQ(ReadBytes(file()), bytes);
    EXPECT_EQ(EntriesInFolder(), 1u);

    // A folder that takes no new file, as a link's target may lie in, keeps it the same way.
    std::filesystem::permissions(file(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    store::FailFileStep(store::FileStep::CreateTemporary, EACCES);
    EXPECT_FALSE(settings.WriteSetting("A", "k", "2"));
    store::ClearFileFaults();
    EXPECT_EQ(settings.LastWriteProblem(), store::FileProblem::ReadOnly);
}

TEST_F(SettingsFileTest, seesChangesMadeByOthersAtOnce) {
    store::SettingsFile settings = Open("[A]\r\nk=1\r\n");
    ASSERT_EQ(settings.ReadSetting("A", "k"), "1");
    // Same size, same second, written in place: the cache must not hide it.
    WriteBytes(file(), "[A]\r\nk=2\r\n");
    EXPECT_EQ(settings.ReadSetting("A", "k"), "2");
    store::SettingsFile other(file().string());
    ASSERT_TRUE(other.WriteSetting("A", "k", "3"));
    EXPECT_EQ(settings.ReadSetting("A", "k"), "3");
    std::filesystem::remove(file());
    EXPECT_EQ(settings.ReadSetting("A", "k", "gone"), "gone");
}

TEST_F(SettingsFileTest, settledCacheStillSeesASameSizeRewrite) {
    store::SettingsFile settings = Open("[A]\r\nk=1\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    ASSERT_EQ(settings.ReadSetting("A", "k"), "1");
    ASSERT_EQ(settings.ReadSetting("A", "k"), "1");
    WriteBytes(file(), "[A]\r\nk=9\r\n");
    EXPECT_EQ(settings.ReadSetting("A", "k"), "9");
}

TEST_F(SettingsFileTest, sectionNamesFollowTheHeaderLines) {
    store::SettingsFile settings =
        Open(Gbk("[A|B]\r\n[C]tail\r\n [D]\r\n[E\r\n[包间]\r\n[C]\r\n"
                 "k=[x]\r\n[]\r\n[F]\x1A[G]\r\n"));
    std::vector<std::string> names;
    settings.ReadSectionNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C", Gbk("包间"), "C", "", "F"}));

    std::vector<std::string> kept{"old"};
    store::SettingsFile((m_folder / "none.ini").string()).ReadSectionNames(kept);
    EXPECT_EQ(kept, std::vector<std::string>{"old"});
    Open("no sections\r\n").ReadSectionNames(kept);
    EXPECT_TRUE(kept.empty());
}

TEST_F(SettingsFileTest, sectionNamesKeepTheQuirksOfOneJoinedText) {
    const struct {
        std::string_view bytes;
        std::vector<std::string> names;
    } cases[] = {
        {"[]\r\n[]\r\n[A]\r\n", {"A"}},
        {"[A]\r\n[]\r\n", {"A"}},
        {"[A]\r\n[]\r\n[B]", {"A", "", "B"}},
        {"[|]\r\n", {""}},
        {"[A||]\r\n[]\r\n", {"A", "", ""}},
        {"[\x81|]\r\n[B]", {"\x81|", "B"}},
        {"x[A]\r\n\r[B]\n[C]", {"C"}},
        {"[A\x81\n]B]\r\n[\x81\r\n[C\x81\r]", {"C\x81\r"}},
        {"[A\x80]\r\n[\xFF]]\r\n", {"A\x80", "\xFF"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names{"old"};
        Open(c.bytes).ReadSectionNames(names);
        EXPECT_EQ(names, c.names) << c.bytes;
    }
}

TEST_F(SettingsFileTest, singleHighBytesInNamesAreCharactersOfTheirOwn) {
    // "A€" is "A" and the single byte 0x80: the "]" after it closes the header.
    const std::string euro = "A\x80";
    store::SettingsFile settings = Open("");
    ASSERT_TRUE(settings.WriteSetting(euro, "k", "1"));
    ASSERT_TRUE(settings.WriteSetting(euro, "k", "2"));
    EXPECT_EQ(ReadBytes(file()), "[A\x80]\r\nk=2\r\n");
    EXPECT_EQ(settings.ReadSetting(euro, "k"), "2");
    std::vector<std::string> names;
    settings.ReadSectionNames(names);
    EXPECT_EQ(names, std::vector<std::string>{euro});
    EXPECT_TRUE(settings.RemoveSection(euro));
    EXPECT_EQ(ReadBytes(file()), "");
}

TEST_F(SettingsFileTest, removeSectionTakesOnlyThatSection) {
    store::SettingsFile settings = Open("[A]\r\nk=1\r\n[AB]\r\nk=2\r\n[B]\r\nk=3\r\n");
    ASSERT_TRUE(settings.RemoveSection("A"));
    EXPECT_EQ(ReadBytes(file()), "[AB]\r\nk=2\r\n[B]\r\nk=3\r\n");
    ASSERT_TRUE(settings.RemoveSection("B"));
    EXPECT_EQ(ReadBytes(file()), "[AB]\r\nk=2\r\n");
    ASSERT_TRUE(settings.RemoveSection("AB"));
    EXPECT_EQ(ReadBytes(file()), "");
}

TEST_F(SettingsFileTest, removeSectionIgnoresBracketsInsideValuesAndKeepsZeroBytes) {
    const std::string tail("[C]\r\nz=\0\r\n", 10);
    store::SettingsFile settings = Open("[A]\r\nnote=[B]\r\nk=1\r\n[B]\r\nk=2\r\n" + tail);
    ASSERT_TRUE(settings.RemoveSection("B"));
    EXPECT_EQ(ReadBytes(file()), "[A]\r\nnote=[B]\r\nk=1\r\n" + tail);
    ASSERT_TRUE(settings.RemoveSection("A"));
    EXPECT_EQ(ReadBytes(file()), tail);
}

TEST_F(SettingsFileTest, removeSectionOfAnUnknownNameDoesNotRewrite) {
    store::SettingsFile settings = Open("[A]\r\nk=1\r\n");
    const std::optional<store::FileLook> before = store::LookAt(file());
    EXPECT_TRUE(settings.RemoveSection("Z"));
    EXPECT_TRUE(settings.RemoveSection("a"));  // headers match case-sensitively
    const std::optional<store::FileLook> after = store::LookAt(file());
    ASSERT_TRUE(before && after);
    EXPECT_EQ(before->file, after->file);
    EXPECT_TRUE(store::SettingsFile((m_folder / "none.ini").string()).RemoveSection("A"));
}

TEST_F(SettingsFileTest, binaryFilesAndHugeLinesReadAndWriteWithoutHarm) {
    std::string bytes(1 << 20, 'x');  // a megabyte without a line break
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 131 + 7) % 256);
    bytes += "\r\n[S]\r\nk=1\r\n\x81";  // ends on a lone lead byte
    store::SettingsFile settings = Open(bytes);
    std::vector<std::string> names;
    settings.ReadSectionNames(names);
    EXPECT_EQ(settings.ReadSetting("S", "k"), "1");
    ASSERT_TRUE(settings.WriteSetting("S", "k", "2"));
    ASSERT_TRUE(settings.WriteSetting("New", "k", "3"));
    const std::string written = ReadBytes(file());
    EXPECT_EQ(written.substr(0, bytes.size() - 8), bytes.substr(0, bytes.size() - 8));
    EXPECT_EQ(settings.ReadSetting("S", "k"), "2");
    EXPECT_EQ(settings.ReadSetting("New", "k"), "3");
    EXPECT_TRUE(settings.RemoveSection("New"));
    EXPECT_EQ(settings.ReadSetting("New", "k", "gone"), "gone");
}

}  // namespace
}  // namespace durava::store
