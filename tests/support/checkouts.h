// SPDX-License-Identifier: MIT
#pragma once
// A checkout's journal entry as the program journals it, from the record a test wrote: the use, the
// total and the record as the checkout held them.
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "history/historyfile.h"
#include "journal/entries.h"

namespace durava::testing {

// `record` as the month file holds it, without its line break.
inline journal::Entry CheckoutEntryOf(core::DateTime end, std::string operatorName,
                                      std::string_view record,
                                      const std::filesystem::path& monthFile, bool late = false) {
    const history::HistoryMonth month{std::string(record)};
    std::vector<std::string_view> fields;
    month.SplitFields(0, fields);
    const std::string total = history::CellText(fields, history::kFieldTotal);
    return journal::CheckoutEntry(end, std::move(operatorName),
                                  {fields.at(history::kFieldName), fields.at(history::kFieldStart),
                                   total, history::MoneyOf(total), record, monthFile},
                                  late);
}

}  // namespace durava::testing
