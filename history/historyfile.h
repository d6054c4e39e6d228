// SPDX-License-Identifier: MIT
#pragma once
// The month files of the History folder: one checkout per CR LF line, eleven fields joined by "@".
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

}  // namespace durava::history
