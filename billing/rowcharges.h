// SPDX-License-Identifier: MIT
#pragma once
// The running charge of each row of a list refreshed every second. A row's tariff and start time
// are read once and kept while the settings file's content and the row's texts stay the same:
// a pass then costs the fee rule per row, not four setting reads and a date parse.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "billing/fee.h"

namespace durava::billing {

class RowCharges {
  public:
    // ChargeAt for the item shown in `row`.
    std::optional<ChargeSoFar> At(const core::SettingsFile& settings, std::size_t row,
                                  std::string_view itemName, std::string_view startText,
                                  core::DateTime now);

  private:
    struct Row {
        bool read = false;
        std::string itemName, startText;
        core::DateTime start = core::kMinDateTime;
        Tariff tariff{};
    };
    std::uint64_t m_generation = 0;
    std::vector<Row> m_rows;
};

}  // namespace durava::billing
