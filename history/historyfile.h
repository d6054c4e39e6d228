// SPDX-License-Identifier: MIT
#pragma once
// The month files of the History folder: one checkout per CR LF line, eleven fields joined by "@",
// and what those fields say.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/datetime.h"
#include "core/fixedtexts.h"

namespace durava::history {

inline constexpr char kFieldSeparator[] = "@";

// The record's fields, in their order.
enum RecordField : std::size_t {
    kFieldName,
    kFieldStart,
    kFieldEnd,
    kFieldDuration,
    kFieldPeriod,
    kFieldOvertime,
    kFieldUnit,
    kFieldPrice,
    kFieldInitialFee,
    kFieldOvertimeFee,
    kFieldTotal,
    kRecordFields,
};
static_assert(std::size(core::kFieldCaptions) == kRecordFields);
inline constexpr char kRecordEnd[] = "\r\n";
// Written in place of the figures that a start time which cannot be read leaves unknown.
inline constexpr std::u16string_view kStartTimeUnreadable = u"开始时间有误";

// Appends the record and its CR LF with one write and flushes it. False when the record is not
// on disk whole; the file then holds what it held before.
bool AppendHistoryRecord(const std::filesystem::path& path, std::string_view record);
// Takes back what the last AppendHistoryRecord wrote to a file of `sizeBefore` bytes, or made
// when nothing: a checkout that cannot finish leaves the file as it found it. With an empty
// record, takes back an append that failed.
bool RemoveLastHistoryRecord(const std::filesystem::path& path, std::string_view record,
                             std::optional<std::uint64_t> sizeBefore);
// The month file's whole record of the use, without its line break: one whose name and start time
// fields are these and which goes on to its total. Nothing when it holds none.
std::optional<std::string> RecordOfUse(const std::filesystem::path& path, std::string_view item,
                                       std::string_view start);

// A month file whose records are counted in one pass and found only when asked for: a month of
// 100,000 records shows after one look at its bytes, and only the rows on screen are cut into
// fields.
class HistoryMonth {
  public:
    HistoryMonth() = default;
    explicit HistoryMonth(std::string text);

    std::size_t RecordCount() const { return m_recordCount; }
    std::size_t FieldCount(std::size_t record) const;
    // The empty text for a field the record does not have.
    std::string_view Field(std::size_t record, std::size_t field) const;
    // Every field of the record in one walk, into `fields` (whose storage is reused): a reader of
    // whole records walks each once instead of once per field.
    void SplitFields(std::size_t record, std::vector<std::string_view>& fields) const;
    // The record's bytes without its line break, as a checkout wrote them.
    std::string_view Record(std::size_t record) const;

  private:
    std::string m_text;
    std::size_t m_recordCount = 0;
    // Where the records found so far start; grows up to the one after the last asked for.
    mutable std::vector<std::size_t> m_recordStarts{0};
};
// A missing or unreadable file gives no records.
HistoryMonth ReadHistoryMonth(const std::filesystem::path& path);

// The text of field `field` of eleven, from a record's fields as SplitFields cuts them; the last
// one also carries any fields beyond it, joined as they were, so that nothing of a record with an
// "@" in its name is lost.
std::string CellText(std::span<const std::string_view> fields, std::size_t field);

// A text that is a whole number and nothing else, within 64 bits.
std::optional<std::int64_t> WholeInteger(std::string_view text);
// Whole yuan of a money text "￥N 元" or "N 元"; nothing for any other text.
std::optional<std::int64_t> MoneyOf(std::string_view text);
// Seconds of a duration text "H 时 M 分 S 秒"; nothing for any other text.
std::optional<std::int64_t> DurationOf(std::string_view text);
// The day of a time text; nothing when it is not a time.
std::optional<core::CalendarTime> DayOf(std::string_view text);

// Why a record is listed apart instead of being added to the takings.
enum class Unreadable {
    Empty,
    MissingFields,
    ExtraFields,
    StartTime,
    EndTime,
    Duration,
    Total,
    // Its figures read, but a sum they were added to would leave 64 bits.
    SumOverflow,
};
// A line that is not a record's eleven fields, whose cells say nothing under their headers.
inline bool IsBrokenLine(Unreadable reason) {
    return reason == Unreadable::Empty || reason == Unreadable::MissingFields ||
           reason == Unreadable::ExtraFields;
}

// What a checkout's record adds to the takings.
struct CheckoutFigures {
    core::CalendarTime endDay;  // the day only
    std::int64_t seconds;
    std::int64_t yuan;
};
// The figures of a record from its fields as SplitFields cuts them, or why it cannot give them.
std::variant<CheckoutFigures, Unreadable> ReadCheckoutFigures(
    std::span<const std::string_view> fields);

}  // namespace durava::history
