#pragma once
// The month files of the History folder: one checkout per CR LF line, eleven fields joined by "@".
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace durava::history {

inline constexpr char kFieldSeparator[] = "@";
inline constexpr char kRecordEnd[] = "\r\n";

// Appends the record and its CR LF with one write and flushes it. False when the record is not
// on disk whole; the file then holds what it held before.
bool AppendHistoryRecord(const std::filesystem::path& path, std::string_view record);
// Takes back the record that the last AppendHistoryRecord wrote, when the file still ends with it:
// a checkout that cannot finish leaves no record behind.
bool RemoveLastHistoryRecord(const std::filesystem::path& path, std::string_view record);
// Whether the month file holds a record of the use: one whose name and start time fields are these.
bool HasRecordOfUse(const std::filesystem::path& path, std::string_view item,
                    std::string_view start);
// True when the path names an existing file that is not a directory.
bool FileExists(const std::filesystem::path& path);

// A month file read into records of fields, kept as spans of one text so that a month of
// 100,000 records costs a few allocations.
class HistoryMonth {
  public:
    HistoryMonth() = default;
    explicit HistoryMonth(std::string text);

    std::size_t RecordCount() const { return m_recordStarts.size() - 1; }
    std::size_t FieldCount(std::size_t record) const {
        return m_recordStarts[record + 1] - m_recordStarts[record];
    }
    std::string_view Field(std::size_t record, std::size_t field) const {
        const Span& span = m_fields[m_recordStarts[record] + field];
        return std::string_view(m_text).substr(span.offset, span.length);
    }

  private:
    struct Span {
        std::size_t offset, length;
    };
    std::string m_text;
    std::vector<Span> m_fields;
    std::vector<std::size_t> m_recordStarts{0};
};
// A missing or unreadable file gives no records.
HistoryMonth ReadHistoryMonth(const std::filesystem::path& path);

}  // namespace durava::history
