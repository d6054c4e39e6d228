// SPDX-License-Identifier: MIT
#pragma once
// The fee rule: a flat initial fee covering an initial period, then whole overtime hours and
// the leftover minutes in whole minimum units. It knows nothing of where a tariff is kept.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/datetime.h"

namespace durava::billing {

// What ComputeFee gives: the overtime fee alone, or the total with the initial fee.
enum class FeeMode { OvertimeOnly, Total };

struct Tariff {
    std::int32_t initialPeriod, initialFee, hourlyPrice, minimumUnit;
};

std::string ComputeFee(const Tariff& tariff, std::int32_t elapsedMinutes,
                       FeeMode mode = FeeMode::Total);

// A use since `start`, as if checked out at `now`: its whole seconds and the total fee ComputeFee
// gives them. Nothing when the start time is not a time.
struct ChargeSoFar {
    std::int32_t seconds;
    std::string fee;
};
std::optional<ChargeSoFar> ChargeAt(const Tariff& tariff, core::DateTime start, core::DateTime now);

}  // namespace durava::billing
