// SPDX-License-Identifier: MIT
#pragma once
// When the live display refreshes: once for every second of the wall clock, just after it begins,
// so the durations shown neither skip nor repeat a second.
#include "core/datetime.h"

namespace durava::windows {

class RefreshSchedule {
  public:
    // True when the wall clock shows a second that no pass has shown yet; that second then
    // counts as shown. A timer that fires a little early gets false.
    bool PassDue();
    // How long to wait before asking again: just past the wall clock's next second.
    static int MillisecondsToNextCheck();

  private:
    core::DateTime m_shown = core::kMinDateTime;
};

}  // namespace durava::windows
