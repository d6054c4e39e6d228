// SPDX-License-Identifier: MIT
#include "app/checkcommand.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/hall.h"

namespace durava::testing {
namespace {

struct Answer {
    int status;
    std::string out, err;
};

Answer Check(const Hall& hall, std::vector<std::string> arguments, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    arguments.insert(arguments.begin(), {"--check", "--documents", hall.folder.path().string()});
    const int status = app::RunCheckCommand(arguments, {}, in, out, err);
    return {status, out.str(), err.str()};
}

const std::vector<std::string> kMay{"--from", "2024-05-01", "--to", "2024-05-31"};

TEST(CheckCommandTest, printsTheCheckInUtf8AndExitsByWhatItFound) {
    Hall hall;
    hall.OwnerSets(u"owner-pw", At(0));
    hall.Checkout(Gbk("A1"), At(60), 70);
    const std::string deleted = hall.Checkout(Gbk("B2"), At(120), 90);
    hall.Checkout(Gbk("A1"), At(180), 70);

    Answer clean = Check(hall, kMay, "owner-pw\r\n");
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_NE(clean.out.find("核对了日志 4 条、记录 3 条。"), std::string::npos) << clean.out;
    EXPECT_NE(clean.out.find("没有发现改动。"), std::string::npos);
    EXPECT_NE(clean.out.find("日志 4 条 "), std::string::npos);
    EXPECT_NE(clean.out.find("日志按店主密码核对。"), std::string::npos);

    // Heads from slips: one the journal holds, as the slip prints it, and one beyond it.
    const std::string mac = journal::Hex(hall.journal.Head()->last).substr(0, 8);
    std::vector<std::string> slip = kMay;
    slip.insert(slip.end(), {"--head", "日志 4 条 " + mac});
    const Answer held = Check(hall, slip, "owner-pw\n");
    EXPECT_EQ(held.status, 0) << held.out;
    EXPECT_NE(held.out.find("单据上的“日志 4 条 " + mac + "”在日志里。"), std::string::npos)
        << held.out;
    slip.back() = "5 " + mac;
    EXPECT_EQ(Check(hall, slip, "owner-pw\n").status, 1);

    std::vector<std::string> lines = LinesOf(hall.MonthFile());
    std::erase(lines, deleted);
    WriteLines(hall.MonthFile(), lines);
    const Answer found = Check(hall, kMay, "owner-pw\n");
    EXPECT_EQ(found.status, 1);
    EXPECT_NE(found.out.find("发现 1 处改动。"), std::string::npos) << found.out;
    EXPECT_NE(found.out.find("B2 202405.QY.txt"), std::string::npos) << found.out;

    // A changed password opens the chains of the one before.
    hall.OwnerSets(u"new-owner-pw", At(240), u"owner-pw");
    hall.Checkout(Gbk("A1"), At(300), 70);
    const Answer changed = Check(hall, kMay, "new-owner-pw\n");
    EXPECT_EQ(changed.status, 1);
    EXPECT_NE(changed.out.find("发现 1 处改动。"), std::string::npos) << changed.out;
    EXPECT_EQ(changed.out.find("另一个店主密码"), std::string::npos) << changed.out;

    // Written to a file instead, and the check changed nothing it read.
    const std::filesystem::path output = hall.folder.path() / "check.txt";
    const std::string month = ReadBytes(hall.MonthFile()), journal = ReadBytes(hall.JournalFile());
    std::vector<std::string> toFile = kMay;
    toFile.insert(toFile.end(), {"--output", output.string()});
    EXPECT_EQ(Check(hall, toFile, "new-owner-pw").status, 1);
    EXPECT_EQ(ReadBytes(output), changed.out);
    EXPECT_EQ(ReadBytes(hall.MonthFile()), month);
    EXPECT_EQ(ReadBytes(hall.JournalFile()), journal);
}

TEST(CheckCommandTest, whatCannotBeCheckedExitsWithTwoAndSaysWhy) {
    Hall hall;
    hall.OwnerSets(u"owner-pw", At(0));
    hall.Checkout(Gbk("A1"), At(60), 70);
    const struct {
        std::vector<std::string> arguments;
        std::string input, says;
    } cases[] = {
        {kMay, "", "the owner's password is needed"},
        {kMay, "wrong-pw\n", "wrong password"},
        {{"--from", "2024-02-30"}, "owner-pw", "--from takes a day as yyyy-MM-dd"},
        {{"--to"}, "owner-pw", "--to needs a value"},
        {{"--colour", "red"}, "owner-pw", "unknown option --colour"},
        {{"--head", "4 9001"}, "owner-pw", "--head takes \"N xxxxxxxx\""},
        {{"--documents", (hall.folder.path() / "nowhere").string()}, "owner-pw", "no such folder"},
    };
    for (const auto& c : cases) {
        const Answer run = Check(hall, c.arguments, c.input);
        EXPECT_EQ(run.status, 2) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const Answer help = Check(hall, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Exit status: 0 when nothing is found"), std::string::npos);
}

}  // namespace
}  // namespace durava::testing
