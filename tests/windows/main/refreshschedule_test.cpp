// SPDX-License-Identifier: MIT
#include "windows/main/refreshschedule.h"

#include <gtest/gtest.h>

namespace durava::windows {
namespace {

// The clock as the timer finds it, one wake-up after another.
TEST(RefreshSchedule, passesOncePerSecondJustAfterItBegins) {
    const core::DateTime start = core::ToDateTime({2024, 5, 6, 13, 0, 0});
    const struct {
        double at;  // seconds after 13:00:00
        bool due;
        int wait;
    } wakeUps[] = {
        {0.300, true, 702},   // the first pass, as the window opens
        {1.002, true, 1000},  // on time
        {1.998, false, 4},    // early: the same second is not shown twice
        {2.002, true, 1000},  // the re-armed wake-up
        {3.450, true, 552},   // late after a busy moment: shown, and back on the beat
        {3.460, false, 542}, {5.010, true, 992},  // a second lost to a long stall is not caught up
        {1.500, true, 502},                       // the clock set back: a new second all the same
    };
    RefreshSchedule schedule;
    for (const auto& w : wakeUps) {
        core::SetClock([&] { return start + w.at / 86400; });
        EXPECT_EQ(schedule.PassDue(), w.due) << w.at;
        EXPECT_EQ(RefreshSchedule::MillisecondsToNextCheck(), w.wait) << w.at;
    }
    core::SetClock({});
}

}  // namespace
}  // namespace durava::windows
