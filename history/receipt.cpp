// SPDX-License-Identifier: MIT
#include "history/receipt.h"

#include "core/codepage.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"

namespace durava::history {
namespace {

// An amount as "￥N 元", "N 元" or "N 元 / 小时" reads with thousands separators; any other text
// stays as the file has it.
std::string ReadableAmount(const std::string& text) {
    static const std::string& yuanSign = core::Fixed(u"￥");
    static const std::string& yuan = core::Fixed(u" 元");
    const std::size_t number = text.starts_with(yuanSign) ? yuanSign.size() : 0;
    const std::size_t digits = text.find_first_not_of("0123456789", number);
    if (digits == number || digits == std::string::npos ||
        text.compare(digits, yuan.size(), yuan)) {
        return text;
    }
    return text.substr(0, number) + core::GroupThousands(std::string_view(text).substr(number));
}

bool IsAmount(std::size_t field) {
    return field == kFieldPrice || field == kFieldInitialFee || field == kFieldOvertimeFee ||
           field == kFieldTotal;
}

}  // namespace

std::vector<std::string> ReceiptLines(const HistoryMonth& month, std::size_t record) {
    std::vector<std::string_view> fields;
    month.SplitFields(record, fields);
    std::vector<std::string> lines;
    for (std::size_t field = 0; field < kRecordFields; ++field) {
        const std::string text = CellText(fields, field);
        lines.push_back(core::WideToText(core::kFieldCaptions[field]) + core::Fixed(u"：") +
                        (IsAmount(field) ? ReadableAmount(text) : text));
    }
    return lines;
}

}  // namespace durava::history
