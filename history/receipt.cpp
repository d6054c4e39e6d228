#include "history/receipt.h"

#include "core/codepage.h"
#include "core/texts.h"
#include "history/takings.h"

namespace durava::history {

std::vector<std::string> ReceiptLines(const HistoryMonth& month, std::size_t record) {
    const std::span<const core::forms::Column> columns = RecordColumns();
    std::vector<std::string_view> fields;
    month.SplitFields(record, fields);
    std::vector<std::string> lines;
    for (std::size_t field = 0; field < columns.size(); ++field) {
        lines.push_back(core::WideToText(columns[field].header) + core::Fixed(u"：") +
                        CellText(fields, field));
    }
    return lines;
}

}  // namespace durava::history
