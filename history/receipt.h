// SPDX-License-Identifier: MIT
#pragma once
// The lines of a printed receipt for one record: each field under the name of its column.
#include <string>
#include <vector>

#include "history/historyfile.h"

namespace durava::history {

std::vector<std::string> ReceiptLines(const HistoryMonth& month, std::size_t record);

}  // namespace durava::history
