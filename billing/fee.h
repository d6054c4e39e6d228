// SPDX-License-Identifier: MIT
#pragma once
// The fee rule: a flat initial fee covering an initial period, then whole overtime hours and
// the leftover minutes in whole minimum units. The forms taking the settings file read the
// tariff on every call, so an edited tariff applies at once.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/store/settings.h"

namespace durava::billing {

// What ComputeFee gives: the overtime fee alone, or the total with the initial fee.
enum class FeeMode { OvertimeOnly, Total };

// An item's tariff, as its section holds it now.
struct Tariff {
    std::int32_t initialPeriod, initialFee, hourlyPrice, minimumUnit;
};
Tariff ReadTariff(const core::SettingsFile& settings, std::string_view itemName);

std::string ComputeFee(const Tariff& tariff, std::int32_t elapsedMinutes,
                       FeeMode mode = FeeMode::Total);

// An item in use since `startText`, as if checked out at `now`: its whole seconds and the total
// fee ComputeFee gives them. Nothing when the start time cannot be read.
struct ChargeSoFar {
    std::int32_t seconds;
    std::string fee;
};
std::optional<ChargeSoFar> ChargeAt(const core::SettingsFile& settings, std::string_view itemName,
                                    std::string_view startText, core::DateTime now);
// The same for a tariff and start time already read.
std::optional<ChargeSoFar> ChargeAt(const Tariff& tariff, core::DateTime start, core::DateTime now);

}  // namespace durava::billing
