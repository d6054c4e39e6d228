#pragma once
// A month's records and its totals as CSV for a spreadsheet: UTF-8 with a byte-order mark,
// fields quoted as RFC 4180 asks, one header row, CR LF line ends, amounts as plain numbers.
#include <string>

#include "history/historyfile.h"
#include "history/takings.h"

namespace durava::history {

// One row per record in file order; a record that cannot be read keeps its texts and says why
// in the last column, and fields beyond the eleventh stay in the last field's cell.
std::string RecordsCsv(const HistoryMonth& month, const MonthTakings& takings);
// One row per day, then the month's total.
std::string TotalsCsv(const MonthTakings& takings);

}  // namespace durava::history
