// SPDX-License-Identifier: MIT
#include "windows/main/refreshschedule.h"

namespace durava::windows {
namespace {

// Past the second's start by this much, so a timer that fires a millisecond late or early still
// finds the new second.
constexpr int kLateMilliseconds = 2;

}  // namespace

bool RefreshSchedule::PassDue() {
    const core::DateTime now = core::CurrentTime();
    if (now == m_shown) return false;
    m_shown = now;
    return true;
}

int RefreshSchedule::MillisecondsToNextCheck() {
    return core::MillisecondsToNextSecond() + kLateMilliseconds;
}

}  // namespace durava::windows
