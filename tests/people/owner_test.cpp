// SPDX-License-Identifier: MIT
#include "people/owner.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "journal/journaltexts.h"
#include "people/protection.h"
#include "store/files/fileio_faults.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace durava::people {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

NewPassword Password(std::u16string_view password) {
    return *MakePassword(password, journal::kCheapestCost);
}

TEST(OwnerPassword, isKeptAsAHashAndGivesTheJournalKeyAgainOnlyWithTheSameSalt) {
    EXPECT_EQ(CheckOwnerPassword(u"12345"), PasswordFault::TooShort);
    EXPECT_EQ(CheckOwnerPassword(u"店主的密码吧"), PasswordFault::None);
    const NewPassword first = Password(u"店主的密码吧"), again = Password(u"店主的密码吧");
    Owner owner;
    owner.SetPassword(first);
    EXPECT_TRUE(owner.Verify(u"店主的密码吧"));
    EXPECT_FALSE(owner.Verify(u"店主的密码"));
    EXPECT_NE(first.journalSalt, again.journalSalt);
    EXPECT_NE(first.firstJournalKey, again.firstJournalKey);
    EXPECT_EQ(journal::DeriveJournalKey(u"店主的密码吧", first.journalSalt), first.firstJournalKey);
    EXPECT_NE(journal::DeriveJournalKey(u"店主的密码", first.journalSalt), first.firstJournalKey);
    EXPECT_NE(first.firstJournalKey, journal::kPublicJournalKey);
}

class OwnerFiles : public ::testing::Test {
  protected:
    void TearDown() override { store::ClearFileFaults(); }

    std::filesystem::path Settings() const { return m_folder / "ROOMSETTING.ini"; }
    std::filesystem::path Folder() const { return m_folder / "Durava"; }

    // A fresh folder with a password set and an operator; Windows removes no read-only file.
    void Reset() {
        for (const auto& file : {OwnerFile(Folder()), OperatorsFile(Folder())}) {
            std::error_code missing;
            std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, missing);
        }
        std::filesystem::remove_all(Folder());
        ASSERT_FALSE(SetOwnerPassword(Folder(), Password(u"first password")));
        Operators one;
        ASSERT_FALSE(one.Add(u"张三", *journal::HashSecret(u"1357", journal::kCheapestCost)));
        ASSERT_FALSE(SaveOperators(Folder(), one));
    }

    testing::TempFolder m_folder;
};

TEST_F(OwnerFiles, noOwnerFileMeansNoProtectionAndNoPrompt) {
    const OwnerRules none = ReadOwnerRules(Settings());
    EXPECT_FALSE(none.On());
    EXPECT_FALSE(none.Trouble());
    EXPECT_FALSE(none.NeedsLogin());
    for (OwnerAction action : kOwnerActions) EXPECT_FALSE(none.AsksOwner(action));
    EXPECT_FALSE(std::filesystem::exists(Folder()));
}

TEST_F(OwnerFiles, theOwnerChoosesWhatAsksForThePasswordAndOperatorsBringTheLogin) {
    ASSERT_FALSE(SetOwnerPassword(Folder(), Password(u"first password")));
    OwnerRules on = ReadOwnerRules(Settings());
    EXPECT_TRUE(on.On());
    EXPECT_FALSE(on.Trouble());
    EXPECT_FALSE(on.NeedsLogin());
    EXPECT_EQ(on.owner.content->ownerOnly, DefaultOwnerOnly());
    EXPECT_TRUE(on.AsksOwner(OwnerAction::Takings));
    EXPECT_FALSE(on.AsksOwner(OwnerAction::Switch));

    Owner owner = *on.owner.content;
    owner.ownerOnly = {OwnerAction::Switch, OwnerAction::History};
    ASSERT_EQ(WriteOwner(Folder(), owner), journal::FileState::Ok);
    ASSERT_FALSE(
        on.operators.content->Add(u"张三", *journal::HashSecret(u"1357", journal::kCheapestCost)));
    ASSERT_FALSE(SaveOperators(Folder(), *on.operators.content));
    on = ReadOwnerRules(Settings());
    EXPECT_TRUE(on.NeedsLogin());
    EXPECT_TRUE(on.AsksOwner(OwnerAction::History));
    EXPECT_FALSE(on.AsksOwner(OwnerAction::Takings));

    // A start over replaces the password and the chain, and keeps the rest, and the password it
    // replaced until the owner next sets one knowing the one before; of starts over in a row, the
    // first's.
    const core::DateTime restarted = core::ToDateTime({2024, 5, 6, 13, 0, 0});
    ASSERT_FALSE(SetOwnerPassword(Folder(), Password(u"second password"), restarted));
    ASSERT_FALSE(SetOwnerPassword(Folder(), Password(u"second password"), restarted + 1));
    on = ReadOwnerRules(Settings());
    ASSERT_TRUE(on.owner.content->restart);
    EXPECT_TRUE(journal::VerifySecret(on.owner.content->restart->replacedHash, u"first password"));
    EXPECT_EQ(on.owner.content->restart->time, "2024/05/06 13:00:00");
    EXPECT_TRUE(on.owner.content->Verify(u"second password"));
    EXPECT_NE(on.owner.content->journalSalt, owner.journalSalt);
    EXPECT_EQ(on.owner.content->ownerOnly, owner.ownerOnly);
    EXPECT_TRUE(on.NeedsLogin());

    const std::string text = ReadBytes(OwnerFile(Folder()));
    EXPECT_TRUE(text.starts_with("; Durava 店主设置"));
    EXPECT_NE(text.find("\r\nowner-only=switch,history\r\n"), std::string::npos);
    EXPECT_EQ(text.find("second password"), std::string::npos);

    // The owner's note of operators outlives the start over; only the owner's removal of the last
    // operator lets an empty operators file be trusted.
    EXPECT_NE(text.find("\r\noperators=yes\r\nrestarted=2024/05/06 13:00:00\r\n"),
              std::string::npos);
    WriteBytes(OperatorsFile(Folder()), "");
    EXPECT_TRUE(ReadOwnerRules(Settings()).OnlyOperatorsInTrouble());
    ASSERT_FALSE(SaveOperators(Folder(), Operators{}));
    on = ReadOwnerRules(Settings());
    EXPECT_FALSE(on.Trouble());
    EXPECT_FALSE(on.NeedsLogin());
    EXPECT_EQ(ReadBytes(OwnerFile(Folder())).find("operators="), std::string::npos);
    ASSERT_FALSE(SetOwnerPassword(Folder(), Password(u"third password")));
    EXPECT_FALSE(ReadOwner(Folder()).content->restart);
}

// `line` with the number after `label` replaced by `number`.
std::string Costlier(const std::string& line, std::string_view label, std::string_view number) {
    const std::size_t at = line.find(label) + label.size();
    return line.substr(0, at) + std::string(number) + line.substr(line.find_first_of(",$", at));
}

TEST_F(OwnerFiles, anOwnerFileWeDidNotWriteIsDamaged) {
    ASSERT_FALSE(SetOwnerPassword(Folder(), Password(u"first password")));
    const std::string good = ReadBytes(OwnerFile(Folder()));
    const auto line = [&](std::string_view key) {
        const std::size_t start = good.find(key);
        return good.substr(start, good.find("\r\n", start) + 2 - start);
    };
    const std::string password = line("password="), salt = line("journal-salt="),
                      actions = line("owner-only=");
    const std::string cases[] = {
        password + salt,
        password + salt + actions + actions,
        password + salt + "owner-only=takings,refunds\r\n",
        password + "journal-salt=2,67108864,00ff\r\n" + actions,
        password + "journal-salt=99,67108864,000102030405060708090a0b0c0d0e0f\r\n" + actions,
        "password=secret\r\n" + salt + actions,
        // Costs beyond the program's own would make every login wait or ask for gigabytes.
        Costlier(password, ",t=", "200") + salt + actions,
        Costlier(password, "$m=", "1048576") + salt + actions,
        password + "journal-salt=4,67108864,000102030405060708090a0b0c0d0e0f\r\n" + actions,
        password + salt + actions + "operators=none\r\n",
        password + salt + actions + "operators=no\r\noperators=yes\r\n",
        password + salt + actions + "restarted=2024/05/06 13:00:00\r\n",
        password + salt + actions + "restarted=yesterday\r\nreplaced-" + password,
    };
    for (const std::string& bytes : cases) {
        WriteBytes(OwnerFile(Folder()), bytes);
        EXPECT_EQ(ReadOwner(Folder()).state, journal::FileState::Damaged) << bytes;
    }
    WriteBytes(OwnerFile(Folder()), password + salt + "owner-only=\r\noperators=no\r\n");
    EXPECT_TRUE(ReadOwner(Folder()).content->ownerOnly.empty());
}

// With a password set, each file that cannot be trusted refuses every protected action, named in
// the message; changes to it come back the same way.
TEST_F(OwnerFiles, eachFileInTroubleIsNamedByWhatStandsInItsPlace) {
    const auto replace = [](const std::filesystem::path& file) { std::filesystem::remove(file); };
    const struct {
        const char* name;
        std::function<void(const std::filesystem::path&)> spoil;
        journal::FileState state;
    } cases[] = {
        {"missing", replace, journal::FileState::Missing},
        {"folder",
         [&](const auto& file) {
             replace(file);
             std::filesystem::create_directory(file);
         },
         journal::FileState::Folder},
        {"read-only",
         [](const auto& file) {
             std::filesystem::permissions(file, std::filesystem::perms::owner_read,
                                          std::filesystem::perm_options::replace);
         },
         journal::FileState::ReadOnly},
        {"damaged", [](const auto& file) { WriteBytes(file, "password=\r\n"); },
         journal::FileState::Damaged},
        // Emptied operators are damaged once the owner has added some.
        {"emptied", [](const auto& file) { WriteBytes(file, ""); }, journal::FileState::Damaged},
#ifndef _WIN32
        {"FIFO",
         [&](const auto& file) {
             replace(file);
             ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
         },
         journal::FileState::NotAFile},
#endif
    };
    for (const auto& c : cases) {
        for (bool owner : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (owner ? " owner file" : " operators file"));
            Reset();
            const std::filesystem::path file =
                owner ? OwnerFile(Folder()) : OperatorsFile(Folder());
            c.spoil(file);
            const OwnerRules protection = ReadOwnerRules(Settings());
            if (owner && c.state == journal::FileState::Missing) {
                EXPECT_FALSE(protection.On());  // the owner's check names the gap
                continue;
            }
            const std::optional<journal::FileTrouble> trouble = protection.Trouble();
            ASSERT_TRUE(trouble);
            EXPECT_EQ(trouble->file, file);
            EXPECT_EQ(trouble->state, c.state);
            EXPECT_NE(journal::FileTroubleText(*trouble).find(file.filename().string()),
                      std::string::npos);
            EXPECT_EQ(protection.OnlyOperatorsInTrouble(), !owner);
            if (c.state != journal::FileState::Missing && c.state != journal::FileState::Damaged) {
                EXPECT_EQ(
                    owner ? WriteOwner(Folder(), Owner{}) : WriteOperators(Folder(), Operators{}),
                    c.state);
            }
        }
    }
    Reset();
    store::FailFileStep(store::FileStep::OpenToRead, EACCES);
    EXPECT_EQ(ReadOwnerRules(Settings()).Trouble()->state, journal::FileState::Unreadable);
    store::ClearFileFaults();
    store::FailFileStep(store::FileStep::Rename, ENOSPC);
    EXPECT_EQ(SetOwnerPassword(Folder(), Password(u"first password"))->state,
              journal::FileState::NotWritten);
}

// Two desks whose settings files link to one file keep one Durava folder beside it.
TEST_F(OwnerFiles, desksOnOneSettingsFileShareOneFolder) {
    std::filesystem::create_directories(m_folder / "shared");
    std::filesystem::create_directories(m_folder / "desk");
    WriteBytes(m_folder / "shared" / "ROOMSETTING.ini", "");
    std::error_code error;
    std::filesystem::create_symlink("../shared/ROOMSETTING.ini",
                                    m_folder / "desk" / "ROOMSETTING.ini", error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
    const std::filesystem::path folder =
        journal::DuravaFolder(m_folder / "desk" / "ROOMSETTING.ini");
    EXPECT_EQ(std::filesystem::weakly_canonical(folder),
              std::filesystem::weakly_canonical(m_folder / "shared" / "Durava"));
    ASSERT_FALSE(SetOwnerPassword(folder, Password(u"first password")));
    EXPECT_TRUE(ReadOwnerRules(m_folder / "shared" / "ROOMSETTING.ini").On());
    EXPECT_FALSE(std::filesystem::exists(m_folder / "desk" / "Durava"));
}

}  // namespace
}  // namespace durava::people
