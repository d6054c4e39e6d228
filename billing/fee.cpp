// SPDX-License-Identifier: MIT
#include "billing/fee.h"

#include "billing/duration.h"

#include "core/numbers.h"

namespace durava::billing {

namespace {

// The running fee is truncated after each part, as a 32-bit fee would be, but held in 64 bits:
// with 32-bit tariffs and overtime below 2^32 minutes it stays under 2^58 and cannot wrap.
std::int64_t OvertimeFee(const Tariff& tariff, std::int64_t overtimeMinutes) {
    const std::int64_t days = overtimeMinutes / 1440;
    const std::int64_t hours = overtimeMinutes % 1440 / 60;
    const std::int64_t minutes = overtimeMinutes % 60;
    const double price = tariff.hourlyPrice;
    std::int64_t fee = 0;
    if (days > 0) fee = static_cast<std::int64_t>(fee + days * price * 24.0);
    if (hours > 0) fee = static_cast<std::int64_t>(fee + hours * price);
    // A unit of 0 leaves the leftover minutes free: its unit count and unit price are both 0.
    if (minutes > 0 && tariff.minimumUnit != 0) {
        const double unit = tariff.minimumUnit;
        const double units = core::RoundDown(minutes / unit + 0.999999);
        fee = static_cast<std::int64_t>(fee + units * (price / (60.0 / unit)));
    }
    return fee;
}

}  // namespace

std::string ComputeFee(const Tariff& tariff, std::int32_t elapsedMinutes, FeeMode mode) {
    if (elapsedMinutes <= tariff.initialPeriod) {
        return mode == FeeMode::Total ? core::IntegerToText(tariff.initialFee) : "0";
    }
    const std::int64_t fee =
        OvertimeFee(tariff, std::int64_t{elapsedMinutes} - tariff.initialPeriod);
    if (mode != FeeMode::Total) return core::IntegerToText(fee);
    return core::RealToText(static_cast<double>(tariff.initialFee) + static_cast<double>(fee));
}

std::optional<ChargeSoFar> ChargeAt(const Tariff& tariff, core::DateTime start,
                                    core::DateTime now) {
    const std::optional<std::int32_t> elapsed = ElapsedSeconds(start, now);
    if (!elapsed) return std::nullopt;
    return ChargeSoFar{*elapsed, ComputeFee(tariff, *elapsed / 60)};
}

}  // namespace durava::billing
