// SPDX-License-Identifier: MIT
#pragma once
// An item's tariff as the settings file holds it. Every read goes to the file, so an edited
// tariff applies at once; the running charges of a list keep what they read while the file and
// the row stay the same.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "billing/fee.h"
#include "core/datetime.h"
#include "store/settings/settings.h"

namespace durava::operations {

struct TariffTexts {
    std::string initialPeriod, initialFee, minimumUnit, overtimePrice;
};
// The item's tariff as stored; a missing value reads as the empty text.
TariffTexts ReadTariffTexts(const store::SettingsFile& settings, std::string_view item);
// The same as the fee rule takes it: each text as a whole number.
billing::Tariff ReadTariff(const store::SettingsFile& settings, std::string_view item);

// An item in use since `startText`, as if checked out at `now`. Nothing when the start time
// cannot be read.
std::optional<billing::ChargeSoFar> ChargeAt(const store::SettingsFile& settings,
                                             std::string_view item, std::string_view startText,
                                             core::DateTime now);

// The running charge of each row of a list refreshed every second. A row's tariff and start time
// are read once and kept while the settings file's content and the row's texts stay the same:
// a pass then costs the fee rule per row, not four setting reads and a date parse.
class RowCharges {
  public:
    // ChargeAt for the item shown in `row`.
    std::optional<billing::ChargeSoFar> At(const store::SettingsFile& settings, std::size_t row,
                                           std::string_view itemName, std::string_view startText,
                                           core::DateTime now);

  private:
    struct Row {
        bool read = false;
        std::string itemName, startText;
        core::DateTime start = core::kMinDateTime;
        billing::Tariff tariff{};
    };
    std::uint64_t m_generation = 0;
    std::vector<Row> m_rows;
};

}  // namespace durava::operations
