// SPDX-License-Identifier: MIT
#include "operations/owed.h"

#include <optional>
#include <string>
#include <vector>

#include "billing/fee.h"
#include "core/fixedtexts.h"
#include "history/historyfile.h"
#include "operations/operations.h"

namespace durava::operations {

OwedNow OwedAt(const store::SettingsFile& settings, core::DateTime now) {
    const store::SettingsFile::OneLook look(settings);
    std::vector<std::string> names;
    settings.ReadSectionNames(names);
    OwedNow owed;
    for (const std::string& name : names) {
        if (!IsInUse(settings, name)) continue;
        ++owed.items;
        std::string start = settings.ReadSetting(name, core::Texts().startTime);
        const std::optional<billing::ChargeSoFar> charge = ChargeAt(settings, name, start, now);
        const std::optional<std::int64_t> fee =
            charge ? history::WholeInteger(charge->fee) : std::nullopt;
        owed.uses.push_back(
            {name, std::move(start), fee, charge ? std::optional(charge->seconds) : std::nullopt});
        std::int64_t sum = 0;
        if (!fee || __builtin_add_overflow(owed.yuan, *fee, &sum)) {
            ++owed.unreadable;
        } else {
            owed.yuan = sum;
        }
    }
    return owed;
}

}  // namespace durava::operations
