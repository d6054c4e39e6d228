// SPDX-License-Identifier: MIT
#include "operations/tariff.h"

#include "core/fixedtexts.h"
#include "core/numbers.h"

namespace durava::operations {

TariffTexts ReadTariffTexts(const store::SettingsFile& settings, std::string_view item) {
    const core::FixedTexts& texts = core::Texts();
    return {settings.ReadSetting(item, texts.initialPeriod),
            settings.ReadSetting(item, texts.initialFee),
            settings.ReadSetting(item, texts.minimumUnit),
            settings.ReadSetting(item, texts.overtimePrice)};
}

billing::Tariff ReadTariff(const store::SettingsFile& settings, std::string_view item) {
    const TariffTexts texts = ReadTariffTexts(settings, item);
    return {core::TextToInteger(texts.initialPeriod), core::TextToInteger(texts.initialFee),
            core::TextToInteger(texts.overtimePrice), core::TextToInteger(texts.minimumUnit)};
}

std::optional<billing::ChargeSoFar> ChargeAt(const store::SettingsFile& settings,
                                             std::string_view item, std::string_view startText,
                                             core::DateTime now) {
    return billing::ChargeAt(ReadTariff(settings, item), core::ParseDateTime(startText), now);
}

std::optional<billing::ChargeSoFar> RowCharges::At(const store::SettingsFile& settings,
                                                   std::size_t row, std::string_view itemName,
                                                   std::string_view startText, core::DateTime now) {
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
    return billing::ChargeAt(known.tariff, known.start, now);
}

}  // namespace durava::operations
