// SPDX-License-Identifier: MIT
#include "people/lockout.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "core/numbers.h"

namespace durava::people {
namespace {

constexpr std::string_view kWrongKey = "wrong-in-row=", kEndsKey = "wait-ends=";

core::DateTime Later(core::DateTime time, std::chrono::seconds by) {
    return time + static_cast<double>(by.count()) / 86400.0;
}

// Each key once, the count a whole number; the end is written only once a wait has begun.
std::optional<Lockout> ReadLockoutText(std::string_view bytes) {
    std::optional<int> wrong;
    std::optional<core::DateTime> ends;
    for (std::string_view line : journal::ContentLines(bytes)) {
        if (line.starts_with(kWrongKey) && !wrong) {
            line.remove_prefix(kWrongKey.size());
            int count = 0;
            const auto [end, error] =
                std::from_chars(line.data(), line.data() + line.size(), count);
            if (error != std::errc() || end != line.data() + line.size() || count < 0) {
                return std::nullopt;
            }
            wrong = count;
        } else if (line.starts_with(kEndsKey) && !ends) {
            ends = core::ParseDateTime(line.substr(kEndsKey.size()));
            if (*ends == core::kMinDateTime) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!wrong) return std::nullopt;
    return Lockout(*wrong, ends.value_or(core::kMinDateTime));
}

}  // namespace

std::chrono::seconds Lockout::WaitLeft(core::DateTime now) const {
    const double left = core::TimeDifference(m_waitEnds, now);
    if (left <= 0) return {};
    return std::min(kLockoutWait, std::chrono::seconds(static_cast<long long>(left)));
}

std::optional<TryReport> Lockout::Refusal(core::DateTime now) {
    const std::chrono::seconds wait = WaitLeft(now);
    if (wait == std::chrono::seconds::zero()) return std::nullopt;
    m_waitEnds = std::min(m_waitEnds, Later(now, kLockoutWait));
    return TryReport{TryReport::Result::Waiting, m_wrongInRow, wait};
}

TryReport Lockout::Record(bool right, core::DateTime now) {
    if (right) {
        *this = {};
        return {TryReport::Result::Right, 0, {}};
    }
    ++m_wrongInRow;
    if (m_wrongInRow >= kWrongTriesAllowed) m_waitEnds = Later(now, kLockoutWait);
    return {TryReport::Result::Wrong, m_wrongInRow, WaitLeft(now)};
}

std::filesystem::path LockoutFile(const std::filesystem::path& duravaFolder) {
    return duravaFolder / kLockoutFileName;
}

journal::FileRead<Lockout> ReadLockout(const std::filesystem::path& duravaFolder) {
    return journal::ReadOurFile(LockoutFile(duravaFolder), ReadLockoutText);
}

journal::FileState WriteLockout(const std::filesystem::path& duravaFolder, const Lockout& lockout) {
    std::vector<std::string> lines = {std::string(kWrongKey) +
                                      core::IntegerToText(lockout.WrongInRow())};
    if (lockout.WaitEnds() != core::kMinDateTime) {
        lines.push_back(std::string(kEndsKey) + core::TimeText(lockout.WaitEnds()));
    }
    return journal::WriteOurFile(
        LockoutFile(duravaFolder),
        journal::OurFileText(u"Durava 输错等待：连续输错的次数，等待结束的时间。", lines));
}

}  // namespace durava::people
