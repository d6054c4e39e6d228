// SPDX-License-Identifier: MIT
#pragma once
// What the item dialog may keep as a tariff: whole numbers the fee rule reads as typed (the name
// follows core/names.h). No window is needed to decide it.
#include <string_view>

namespace durava::operations {

enum class TariffFault {
    None,
    NotWholeNumber,
    OutOfRange,  // beyond what the fee rule reads as 32 bits
    Negative,    // would bill negative totals
};

// Digits, full-width forms folded first; a leading "-" is read so that it can be refused.
TariffFault CheckTariff(std::string_view text);

}  // namespace durava::operations
