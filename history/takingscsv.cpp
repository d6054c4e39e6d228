// SPDX-License-Identifier: MIT
#include "history/takingscsv.h"

#include <cstdio>

#include "core/codepage.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "core/utf8.h"
#include "history/takingstexts.h"

namespace durava::history {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

class CsvWriter {
  public:
    CsvWriter() : m_out(kByteOrderMark) {}

    void Text(std::string_view text) { Wide(core::TextToWide(text)); }
    void Wide(std::u16string_view wide) {
        Separate();
        const bool quoted = wide.find_first_of(u",\"\r\n") != std::u16string_view::npos;
        if (!quoted) return core::AppendUtf8(m_out, wide);
        m_out += '"';
        for (std::size_t quote; (quote = wide.find(u'"')) != std::u16string_view::npos;) {
            core::AppendUtf8(m_out, wide.substr(0, quote + 1));
            m_out += '"';
            wide.remove_prefix(quote + 1);
        }
        core::AppendUtf8(m_out, wide);
        m_out += '"';
    }
    void Number(std::int64_t value) {
        Separate();
        m_out += core::IntegerToText(value);
    }
    void Hours(std::int64_t seconds) {
        Separate();
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", static_cast<double>(seconds) / 3600.0);
        m_out += text;
    }
    void EndRow() {
        m_out += "\r\n";
        m_first = true;
    }
    std::string Take() { return std::move(m_out); }

  private:
    void Separate() {
        if (!m_first) m_out += ',';
        m_first = false;
    }

    std::string m_out;
    bool m_first = true;
};

bool IsMoney(std::size_t field) {
    return field == kFieldInitialFee || field == kFieldOvertimeFee || field == kFieldTotal;
}

}  // namespace

std::string RecordsCsv(std::span<const HistoryMonth> months, const MonthTakings& takings,
                       const std::optional<DaySpan>& days) {
    CsvWriter csv;
    for (const std::u16string_view caption : core::kFieldCaptions) csv.Wide(caption);
    csv.Wide(u"备注");
    csv.Wide(u"原始记录");
    csv.EndRow();
    const auto inSpan = [&days](std::string_view end) {
        const std::optional<core::CalendarTime> day = DayOf(end);
        return day && DayKey(*day) >= DayKey(days->first) && DayKey(*day) <= DayKey(days->last);
    };
    auto unreadable = takings.unreadable.begin();
    std::vector<std::string_view> fields;
    for (std::size_t file = 0; file < months.size(); ++file) {
        const HistoryMonth& month = months[file];
        for (std::size_t record = 0; record < month.RecordCount(); ++record) {
            const bool readable = unreadable == takings.unreadable.end() ||
                                  unreadable->file != file || unreadable->record != record;
            month.SplitFields(record, fields);
            if (readable && days && !inSpan(CellText(fields, kFieldEnd))) continue;
            const bool broken = !readable && IsBrokenLine(unreadable->reason);
            for (std::size_t field = 0; field < kRecordFields; ++field) {
                const std::string text = broken ? std::string() : CellText(fields, field);
                const std::optional<std::int64_t> yuan =
                    readable && IsMoney(field) ? MoneyOf(text) : std::nullopt;
                if (yuan) {
                    csv.Number(*yuan);
                } else {
                    csv.Text(text);
                }
            }
            csv.Text(readable ? std::string_view() : ReasonText(unreadable->reason));
            csv.Text(broken ? std::string_view(unreadable->line) : std::string_view());
            if (!readable) ++unreadable;
            csv.EndRow();
        }
    }
    return csv.Take();
}

std::string TotalsCsv(const MonthTakings& takings, std::span<const NamedTakings> operators) {
    CsvWriter csv;
    for (std::u16string_view header : {u"日期", u"营业额", u"使用次数", u"使用小时"}) {
        csv.Wide(header);
    }
    csv.EndRow();
    const auto row = [&csv](std::string_view label, const Takings& sum) {
        csv.Text(label);
        csv.Number(sum.yuan);
        csv.Number(sum.uses);
        csv.Hours(sum.seconds);
        csv.EndRow();
    };
    for (const DayTakings& day : takings.days) {
        row(DayText(day.date), day.takings);
    }
    row(core::Fixed(u"合计"), takings.total);
    if (operators.empty()) return csv.Take();
    // A blank row parts the operators from the days, as a second table on the sheet.
    csv.EndRow();
    for (std::u16string_view header : {u"操作员", u"营业额", u"使用次数"}) csv.Wide(header);
    csv.EndRow();
    for (const NamedTakings& named : operators) {
        csv.Text(named.name);
        csv.Number(named.yuan);
        csv.Number(named.uses);
        csv.EndRow();
    }
    return csv.Take();
}

}  // namespace durava::history
