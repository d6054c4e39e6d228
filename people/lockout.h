// SPDX-License-Identifier: MIT
#pragma once
// Five wrong PINs or passwords in a row, and the desk waits 30 seconds before the next try; every
// wrong one after that starts the wait again, until a right one. Time comes from a steady clock,
// which setting the computer's clock back does not move; the caller passes it in, so tests never
// wait. Each try comes back as a report the caller journals.
#include <chrono>
#include <optional>

namespace durava::people {

using SteadyTime = std::chrono::steady_clock::time_point;

inline constexpr int kWrongTriesAllowed = 5;
inline constexpr std::chrono::seconds kLockoutWait{30};

struct TryReport {
    enum class Result {
        Right,
        Wrong,
        Waiting,  // made during the wait: refused unchecked
    };
    Result result = Result::Right;
    int wrongInRow = 0;           // with this try
    std::chrono::seconds wait{};  // before the next try is taken, whole seconds rounded up

    bool operator==(const TryReport&) const = default;
};

class Lockout {
  public:
    // Asked before the slow check: a report of a try refused unchecked, or nothing when the try
    // may be checked.
    std::optional<TryReport> Refusal(SteadyTime now) const;
    // After the check.
    TryReport Record(bool right, SteadyTime now);

  private:
    std::chrono::seconds WaitLeft(SteadyTime now) const;

    int m_wrongInRow = 0;
    SteadyTime m_waitEnds{};
};

}  // namespace durava::people
