// SPDX-License-Identifier: MIT
#include "people/lockout.h"

#include <gtest/gtest.h>

#include "people/texts.h"
#include "support/temp_folder.h"

namespace durava::people {
namespace {

using namespace std::chrono_literals;
using Result = TryReport::Result;
using testing::ReadBytes;
using testing::WriteBytes;

enum class Step { Ask, Right, Wrong };

// One desk's tries on a wall clock the test moves: what Refusal (Ask) or Record answers at each.
// After each step the lockout is written and read back from the folder, as the next try of any
// copy, or of the program started again, finds it.
TEST(Lockout, fiveWrongTriesInARowMakeTheDeskWaitUntilARightOne) {
    const struct {
        std::chrono::seconds at;
        Step step;
        std::optional<TryReport> expected;  // for Ask: nothing when the try may be checked
    } steps[] = {
        {0s, Step::Wrong, TryReport{Result::Wrong, 1, 0s}},
        {1s, Step::Right, TryReport{Result::Right, 0, 0s}},  // a right one starts the count anew
        {2s, Step::Wrong, TryReport{Result::Wrong, 1, 0s}},
        {3s, Step::Wrong, TryReport{Result::Wrong, 2, 0s}},
        {4s, Step::Wrong, TryReport{Result::Wrong, 3, 0s}},
        {5s, Step::Ask, std::nullopt},
        {5s, Step::Wrong, TryReport{Result::Wrong, 4, 0s}},
        {6s, Step::Wrong, TryReport{Result::Wrong, 5, 30s}},
        {6s, Step::Ask, TryReport{Result::Waiting, 5, 30s}},
        {35s, Step::Ask, TryReport{Result::Waiting, 5, 1s}},  // never "0 秒"
        {36s, Step::Ask, std::nullopt},
        {36s, Step::Wrong, TryReport{Result::Wrong, 6, 30s}},  // each further one waits again
        // The clock set back an hour: the wait ends no later than a whole wait from then.
        {-3600s, Step::Ask, TryReport{Result::Waiting, 6, 30s}},
        {-3571s, Step::Ask, TryReport{Result::Waiting, 6, 1s}},
        {-3570s, Step::Ask, std::nullopt},
        {-3570s, Step::Right, TryReport{Result::Right, 0, 0s}},
        {-3570s, Step::Ask, std::nullopt},
        {-3569s, Step::Wrong, TryReport{Result::Wrong, 1, 0s}},
    };
    const testing::TempFolder folder;
    const core::DateTime start = core::ToDateTime({2024, 5, 6, 13, 0, 0});
    Lockout lockout;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const auto& s = steps[i];
        const core::DateTime now = start + static_cast<double>(s.at.count()) / 86400;
        const std::optional<TryReport> got =
            s.step == Step::Ask ? lockout.Refusal(now) : lockout.Record(s.step == Step::Right, now);
        EXPECT_EQ(got, s.expected) << "step " << i;
        ASSERT_EQ(WriteLockout(folder.path(), lockout), journal::FileState::Ok);
        lockout = ReadLockout(folder.path()).content.value();
    }
    EXPECT_TRUE(ReadBytes(LockoutFile(folder.path())).starts_with("; Durava 输错等待"));
}

TEST(Lockout, aFileWeDidNotWriteIsDamaged) {
    const testing::TempFolder folder;
    for (const char* bytes :
         {"", "wrong-in-row=5\r\nwrong-in-row=5\r\n", "wrong-in-row=-1\r\n",
          "wrong-in-row=5\r\nwait-ends=soon\r\n", "wrong-in-row=5\r\ntries=5\r\n"}) {
        WriteBytes(LockoutFile(folder.path()), bytes);
        EXPECT_EQ(ReadLockout(folder.path()).state, journal::FileState::Damaged) << bytes;
    }
}

TEST(Lockout, theTextsGiveTheCountAndTheSecondsLeft) {
    using testing::Gbk;
    EXPECT_EQ(TryText({Result::Wrong, 5, 30s}, Secret::OwnerPassword),
              Gbk("店主密码连续输错 5 次，请等 30 秒后再试。"));
    EXPECT_EQ(TryText({Result::Waiting, 5, 17s}, Secret::Pin),
              Gbk("输错次数太多，请等 17 秒后再试。"));
    EXPECT_EQ(NothingTypedText(Secret::OwnerPassword), Gbk("请输入店主密码。"));
    // The journal tells when a wait began, and that a try during it went unchecked.
    EXPECT_EQ(TryReasonText({Result::Wrong, 4, 0s}), "");
    EXPECT_EQ(TryReasonText({Result::Wrong, 6, 30s}), Gbk("连续输错 6 次，等待 30 秒"));
    EXPECT_EQ(TryReasonText({Result::Waiting, 6, 12s}), Gbk("等待中，未核对"));
}

}  // namespace
}  // namespace durava::people
