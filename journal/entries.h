// SPDX-License-Identifier: MIT
#pragma once
// The entries the actions journal, each built here from what its action holds: the item, the
// record it wrote, the settings file's bytes, the reason it gives. An entry never reads a record
// back.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "journal/entry.h"

namespace durava::journal {

// What a checkout wrote to `monthFile`: the use it ended (the item and its start time), the total
// as the record writes it and in whole yuan when it is a sum, and the record as the month file
// holds it, without its line break.
struct CheckoutWritten {
    std::string_view item, start, total;
    std::optional<std::int64_t> yuan;
    std::string_view record;
    std::filesystem::path monthFile;
};
// The use, its total and the record's SHA-256. `late` when the record was found written by a
// checkout that a kill cut short.
Entry CheckoutEntry(core::DateTime end, std::string operatorName, const CheckoutWritten& written,
                    bool late = false);
// The checkout of `item` taken back with its `record`, when the item could not be set idle.
Entry TakenBackEntry(core::DateTime end, std::string item, std::string_view record,
                     std::string reason);
// The refusal of the action `done` would have journaled, and why (a program text).
Entry RefusalEntry(const Entry& done, std::string reason);

// The first entry of a chain, which names the head of the chain before when it is known.
Entry NewChainEntry(core::DateTime time, std::string operatorName, Protection protection,
                    ChainReason reason, const std::optional<ChainHead>& before);

// At the program's start: the head this desk remembers writing, which the journal no longer
// holds, and a file of ours the desk saw that is gone (its name as the desk's memory keeps it,
// UTF-8).
Entry BehindDeskEntry(core::DateTime time, const ChainHead& remembered);
Entry FileGoneEntry(core::DateTime time, std::string file);

// The settings file's bytes as an entry names them: a change that no entry names was made outside
// Durava.
Detail SettingsDetail(std::string_view settingsBytes);
// The entry, naming the settings file as its action leaves it when it can be read.
Entry NamingSettings(Entry entry, const std::optional<std::string>& settingsBytes);

// An item's tariff as the settings file holds its four texts.
struct TariffNamed {
    std::string_view initialPeriod, initialFee, minimumUnit, overtimePrice;
};
// "初始时段 240，初始费用 70，最小单位 30，超时单价 20": a tariff as the journal shows it.
std::string TariffText(const TariffNamed& tariff);

}  // namespace durava::journal
