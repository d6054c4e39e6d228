#include "history/historyfile.h"

#include "core/fileio.h"
#include "core/textops.h"

namespace durava::history {

bool AppendHistoryRecord(const std::filesystem::path& path, std::string_view record) {
    // A line break would split the record into two rows and a zero byte would hide every
    // record after it from the reader.
    constexpr std::string_view kLineBreaking("\r\n\0", 3);
    if (record.find_first_of(kLineBreaking) != std::string_view::npos) return false;
    std::string line(record);
    line += kRecordEnd;
    return core::AppendToFile(path, line, kRecordEnd);
}

bool RemoveLastHistoryRecord(const std::filesystem::path& path, std::string_view record) {
    return core::RemoveTail(path, std::string(record) + kRecordEnd);
}

bool HasRecordOfUse(const std::filesystem::path& path, std::string_view item,
                    std::string_view start) {
    const std::optional<std::string> bytes = core::ReadWholeFile(path);
    if (!bytes) return false;
    const std::string opening =
        std::string(item) + kFieldSeparator + std::string(start) + kFieldSeparator;
    for (std::size_t at = bytes->find(opening); at != std::string::npos;
         at = bytes->find(opening, at + 1)) {
        if (at == 0 || (*bytes)[at - 1] == '\n') return true;
    }
    return false;
}

bool FileExists(const std::filesystem::path& path) {
    return core::IsFile(path);
}

HistoryMonth::HistoryMonth(std::string text) : m_text(core::BytesToText(text)) {
    // Records end at every CR LF, byte by byte: neither byte can be the second of a double-byte
    // character, so a character cut short at the end of a line must not swallow the line break
    // and, with it, the record that follows.
    for (std::string_view rest = m_text; !rest.empty();) {
        const std::size_t end = rest.find(kRecordEnd);
        core::ForEachPiece(
            rest.substr(0, end), kFieldSeparator, -1, [this](std::string_view field) {
                m_fields.push_back(
                    {static_cast<std::size_t>(field.data() - m_text.data()), field.size()});
            });
        m_recordStarts.push_back(m_fields.size());
        rest.remove_prefix(end == std::string_view::npos
                               ? rest.size()
                               : end + std::string_view(kRecordEnd).size());
    }
}

HistoryMonth ReadHistoryMonth(const std::filesystem::path& path) {
    std::optional<std::string> bytes = core::ReadWholeFile(path);
    return bytes ? HistoryMonth(std::move(*bytes)) : HistoryMonth();
}

}  // namespace durava::history
