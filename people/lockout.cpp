// SPDX-License-Identifier: MIT
#include "people/lockout.h"

namespace durava::people {

std::chrono::seconds Lockout::WaitLeft(SteadyTime now) const {
    if (now >= m_waitEnds) return {};
    return std::chrono::ceil<std::chrono::seconds>(m_waitEnds - now);
}

std::optional<TryReport> Lockout::Refusal(SteadyTime now) const {
    const std::chrono::seconds wait = WaitLeft(now);
    if (wait == std::chrono::seconds::zero()) return std::nullopt;
    return TryReport{TryReport::Result::Waiting, m_wrongInRow, wait};
}

TryReport Lockout::Record(bool right, SteadyTime now) {
    if (right) {
        m_wrongInRow = 0;
        m_waitEnds = {};
        return {TryReport::Result::Right, 0, {}};
    }
    ++m_wrongInRow;
    if (m_wrongInRow >= kWrongTriesAllowed) m_waitEnds = now + kLockoutWait;
    return {TryReport::Result::Wrong, m_wrongInRow, WaitLeft(now)};
}

}  // namespace durava::people
