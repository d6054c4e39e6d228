#pragma once
// The fee rule: a flat initial fee covering an initial period, then whole overtime hours and
// the leftover minutes in whole minimum units. Reads the tariff from the settings file on every
// call, so an edited tariff applies at once.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings.h"

namespace durava::billing {

inline constexpr int kFeeTotal = 1;
inline constexpr int kFeeOvertimeOnly = 0;

std::string ComputeFee(const core::SettingsFile& settings, std::int32_t elapsedMinutes,
                       std::string_view itemName, int mode = kFeeTotal);

}  // namespace durava::billing
