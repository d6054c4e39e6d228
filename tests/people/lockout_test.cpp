// SPDX-License-Identifier: MIT
#include "people/lockout.h"

#include <gtest/gtest.h>

#include "people/texts.h"
#include "support/temp_folder.h"

namespace durava::people {
namespace {

using namespace std::chrono_literals;
using Result = TryReport::Result;

enum class Step { Ask, Right, Wrong };

// One desk's tries on a clock the test moves: what Refusal (Ask) or Record answers at each.
TEST(Lockout, fiveWrongTriesInARowMakeTheDeskWaitUntilARightOne) {
    const struct {
        std::chrono::milliseconds at;
        Step step;
        std::optional<TryReport> expected;  // for Ask: nothing when the try may be checked
    } steps[] = {
        {0ms, Step::Wrong, TryReport{Result::Wrong, 1, 0s}},
        {1s, Step::Right, TryReport{Result::Right, 0, 0s}},  // a right one starts the count anew
        {2s, Step::Wrong, TryReport{Result::Wrong, 1, 0s}},
        {3s, Step::Wrong, TryReport{Result::Wrong, 2, 0s}},
        {4s, Step::Wrong, TryReport{Result::Wrong, 3, 0s}},
        {5s, Step::Ask, std::nullopt},
        {5s, Step::Wrong, TryReport{Result::Wrong, 4, 0s}},
        {6s, Step::Wrong, TryReport{Result::Wrong, 5, 30s}},
        {6s, Step::Ask, TryReport{Result::Waiting, 5, 30s}},
        {35'001ms, Step::Ask, TryReport{Result::Waiting, 5, 1s}},  // rounded up, never "0 秒"
        {36s, Step::Ask, std::nullopt},
        {36s, Step::Wrong, TryReport{Result::Wrong, 6, 30s}},  // each further one waits again
        {65s, Step::Ask, TryReport{Result::Waiting, 6, 1s}},
        {66s, Step::Right, TryReport{Result::Right, 0, 0s}},
        {66s, Step::Ask, std::nullopt},
        {67s, Step::Wrong, TryReport{Result::Wrong, 1, 0s}},
    };
    Lockout lockout;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const auto& s = steps[i];
        const SteadyTime now = SteadyTime{} + s.at;
        const std::optional<TryReport> got =
            s.step == Step::Ask ? lockout.Refusal(now) : lockout.Record(s.step == Step::Right, now);
        EXPECT_EQ(got, s.expected) << "step " << i;
    }
}

TEST(Lockout, theTextsGiveTheCountAndTheSecondsLeft) {
    using testing::Gbk;
    EXPECT_EQ(TryText({Result::Wrong, 5, 30s}, Secret::OwnerPassword),
              Gbk("店主密码连续输错 5 次，请等 30 秒后再试。"));
    EXPECT_EQ(TryText({Result::Waiting, 5, 17s}, Secret::Pin),
              Gbk("输错次数太多，请等 17 秒后再试。"));
}

}  // namespace
}  // namespace durava::people
