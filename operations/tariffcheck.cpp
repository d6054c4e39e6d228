// SPDX-License-Identifier: MIT
#include "operations/tariffcheck.h"

#include <cstdint>

#include "core/numbers.h"

namespace durava::operations {

TariffFault CheckTariff(std::string_view text) {
    const std::string folded = core::FoldFullWidth(text);
    std::string_view digits = folded;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    if (digits.empty()) return TariffFault::NotWholeNumber;
    const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
    std::int64_t value = 0;
    bool tooLarge = false;
    for (char c : digits) {
        if (c < '0' || c > '9') return TariffFault::NotWholeNumber;
        if (!tooLarge) value = value * 10 + (c - '0');
        tooLarge = tooLarge || value > limit;
    }
    if (tooLarge) return TariffFault::OutOfRange;
    return negative && value != 0 ? TariffFault::Negative : TariffFault::None;
}

}  // namespace durava::operations
