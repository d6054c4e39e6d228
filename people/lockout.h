// SPDX-License-Identifier: MIT
#pragma once
// Five wrong PINs or passwords in a row, and the desk waits 30 seconds before the next try; every
// wrong one after that starts the wait again, until a right one. The count and the wait's end are
// kept in the Durava folder, so that every copy on it and a restart keep them. The end is
// wall-clock time: a wait found to end further off than a whole wait, the clock set back since,
// ends a whole wait from then. The caller passes the time in, so tests never wait. Each try comes
// back as a report the caller journals.
#include <chrono>
#include <filesystem>
#include <optional>

#include "core/datetime.h"
#include "journal/files/ourfiles.h"

namespace durava::people {

inline constexpr char kLockoutFileName[] = "lockout.txt";

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
    Lockout() = default;
    Lockout(int wrongInRow, core::DateTime waitEnds)
        : m_wrongInRow(wrongInRow), m_waitEnds(waitEnds) {}

    // Asked before the slow check: a report of a try refused unchecked, or nothing when the try
    // may be checked. A wait that ends too far off is brought back, to be written back with it.
    std::optional<TryReport> Refusal(core::DateTime now);
    // After the check.
    TryReport Record(bool right, core::DateTime now);

    int WrongInRow() const { return m_wrongInRow; }
    // kMinDateTime when no wait was ever begun.
    core::DateTime WaitEnds() const { return m_waitEnds; }
    bool operator==(const Lockout&) const = default;

  private:
    std::chrono::seconds WaitLeft(core::DateTime now) const;

    int m_wrongInRow = 0;
    core::DateTime m_waitEnds = core::kMinDateTime;
};

std::filesystem::path LockoutFile(const std::filesystem::path& duravaFolder);
journal::FileRead<Lockout> ReadLockout(const std::filesystem::path& duravaFolder);
// Under the store lock, with the journal entry of the try.
journal::FileState WriteLockout(const std::filesystem::path& duravaFolder, const Lockout& lockout);

}  // namespace durava::people
