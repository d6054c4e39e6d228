// SPDX-License-Identifier: MIT
#include "billing/rowcharges.h"

namespace durava::billing {

std::optional<ChargeSoFar> RowCharges::At(const core::SettingsFile& settings, std::size_t row,
                                          std::string_view itemName, std::string_view startText,
                                          core::DateTime now) {
    // Any change to the file, from this copy or another, may have changed a tariff.
    const std::uint64_t generation = settings.Generation();
    if (generation != m_generation) {
        m_rows.clear();
        m_generation = generation;
    }
    if (row >= m_rows.size()) m_rows.resize(row + 1);
    Row& known = m_rows[row];
    if (!known.read || known.itemName != itemName || known.startText != startText) {
        known = {true, std::string(itemName), std::string(startText),
                 core::ParseDateTime(startText), ReadTariff(settings, itemName)};
    }
    return ChargeAt(known.tariff, known.start, now);
}

}  // namespace durava::billing
