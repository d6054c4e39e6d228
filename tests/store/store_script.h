// SPDX-License-Identifier: MIT
#pragma once
// What store_writer writes, shared with the kill test so that it can tell every state the writer
// may leave behind from a torn or lost one.
#include <array>
#include <string>
#include <vector>

#include "core/codepage.h"
#include "core/datetime.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "history/historyfile.h"
#include "journal/files/ourfiles.h"
#include "support/settings_sections.h"

namespace durava::store_script {

// Items whose six keys carry a generation g: the four tariff keys read g; the state and start
// time read 使用中 and StartText(g) after the batch that moves to g, then 空闲中 and, last, 无.
inline const std::vector<std::string>& CountedItems() {
    static const std::vector<std::string> items{"A1", "A2", core::WideToText(u"包间3"),
                                                core::WideToText(u"台球4")};
    return items;
}
// Items that are removed and added again, always with the idle values of generation 0.
inline const std::vector<std::string>& MovedItems() {
    static const std::vector<std::string> items{core::WideToText(u"临时1"),
                                                core::WideToText(u"临时2")};
    return items;
}

// The item of use g when the writer runs checkouts.
inline const std::string& UseItem(long long g) {
    return CountedItems()[static_cast<std::size_t>(g) % CountedItems().size()];
}

using testing::SettingsKeys;

inline std::string StartText(long long generation) {
    const core::DateTime day = core::ToDateTime({2024, 5, 6, 0, 0, 0});
    return core::FormatDateTime(day + static_cast<double>(generation) / 86400.0, "yyyy/MM/dd ",
                                "hh:mm:ss", true);
}

// The values of the batch that moves an item to `generation`, in the order of SettingsKeys().
inline std::array<std::string, 6> BatchValues(long long generation) {
    const std::string g = core::IntegerToText(generation);
    return {g, g, g, g, core::Texts().inUse, StartText(generation)};
}

inline std::array<std::string, 6> IdleValues() {
    return {"0", "0", "0", "0", core::Texts().idle, core::Texts().none};
}

using history::kRecordFields;

// One history record; its last field carries the sequence number.
inline std::string Record(const std::string& item, long long generation, long long sequence) {
    static const std::string hours = core::WideToText(u" 时 "), minutes = core::WideToText(u" 分 "),
                             seconds = core::WideToText(u" 秒"), none = core::WideToText(u"未超时"),
                             yuan = core::WideToText(u" 元"), yen = core::WideToText(u"￥");
    const std::string g = core::IntegerToText(generation);
    return item + "@" + StartText(generation) + "@" + StartText(generation + 1) + "@0" + hours +
           "0" + minutes + "1" + seconds + "@" + g + hours + "0" + minutes + "@" + none + "@" + g +
           "@" + g + yuan + "@" + g + yuan + "@0" + yuan + "@" + yen +
           core::IntegerToText(sequence) + yuan;
}

// The whole records of a month, in file order. A kill can stop a record's write part way (the
// kernel writes it a page at a time); the start that landed stays as a line of its own.
inline std::vector<std::size_t> WholeRecords(const history::HistoryMonth& month) {
    std::vector<std::size_t> whole;
    for (std::size_t r = 0; r < month.RecordCount(); ++r) {
        if (month.FieldCount(r) == kRecordFields &&
            history::MoneyOf(month.Field(r, kRecordFields - 1))) {
            whole.push_back(r);
        }
    }
    return whole;
}

// The sequence number a whole record carries as its total.
inline long long SequenceOf(const history::HistoryMonth& month, std::size_t record) {
    return *history::MoneyOf(month.Field(record, kRecordFields - 1));
}

inline std::string SettingsName() {
    return "ROOMSETTING.ini";
}
inline std::string MonthName() {
    return "History/202405.QY.txt";
}
inline std::string JournalFolderName() {
    return journal::kFolderName;
}

}  // namespace durava::store_script
