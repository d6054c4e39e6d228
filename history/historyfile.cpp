// SPDX-License-Identifier: MIT
#include "history/historyfile.h"

#include <algorithm>
#include <cstring>

#include "core/codepage.h"
#include "core/textfunctions.h"
#include "store/files/fileio.h"

namespace durava::history {

bool AppendHistoryRecord(const std::filesystem::path& path, std::string_view record) {
    // A line break would split the record into two rows and a zero byte would hide every
    // record after it from the reader.
    constexpr std::string_view kLineBreaking("\r\n\0", 3);
    if (record.find_first_of(kLineBreaking) != std::string_view::npos) return false;
    std::string line(record);
    line += kRecordEnd;
    return store::AppendToFile(path, line, kRecordEnd);
}

bool RemoveLastHistoryRecord(const std::filesystem::path& path, std::string_view record,
                             std::optional<std::uint64_t> sizeBefore) {
    return store::TakeBackAppend(path, sizeBefore,
                                 record.empty() ? std::string() : std::string(record) + kRecordEnd);
}

namespace {

// A record's fields after its name and start time, up to its line break, hold the rest of a whole
// record: a kill or a power cut can stop a record's write part way, and the start of it that
// landed must not pass for the record of its use, whose total it has lost.
bool EndsAsWholeRecord(std::string_view rest) {
    if (rest.ends_with('\r')) rest.remove_suffix(1);  // the line break was cut short
    std::size_t fields = 0;
    std::string_view total;
    core::ForEachPiece(rest, kFieldSeparator, -1, [&](std::string_view piece) {
        ++fields;
        total = piece;
    });
    return fields == kRecordFields - 2 && MoneyOf(total).has_value();
}

}  // namespace

std::optional<std::string> RecordOfUse(const std::filesystem::path& path, std::string_view item,
                                       std::string_view start) {
    const std::optional<std::string> bytes = store::ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    const std::string_view text = *bytes;
    const std::string opening =
        std::string(item) + kFieldSeparator + std::string(start) + kFieldSeparator;
    for (std::size_t at = text.find(opening); at != std::string::npos;
         at = text.find(opening, at + 1)) {
        if (at != 0 && text[at - 1] != '\n') continue;
        const std::string_view rest = text.substr(at + opening.size());
        std::string_view fields = rest.substr(0, rest.find(kRecordEnd));
        if (!EndsAsWholeRecord(fields)) continue;
        if (fields.ends_with('\r')) fields.remove_suffix(1);
        return opening + std::string(fields);
    }
    return std::nullopt;
}

namespace {

// Records end at every CR LF, byte by byte: neither byte can be the second of a double-byte
// character, so a character cut short at the end of a line must not swallow the line break
// and, with it, the record that follows.
struct RecordEnds {
    std::size_t count = 0;
    bool zeroMet = false;
};

RecordEnds CountRecordEnds(std::string_view text) {
    // Counted in blocks too short to overflow a byte and without early exits, so that the loop
    // runs on whole vectors: a month of 100,000 records counts in less time than its bytes take
    // to read. The zero bytes are looked for in the same pass.
    constexpr std::size_t kBlock = 240;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    RecordEnds ends;
    ends.zeroMet = !text.empty() && bytes[0] == 0;
    for (std::size_t block = 1; block < text.size(); block += kBlock) {
        const std::size_t end = std::min(block + kBlock, text.size());
        unsigned char inBlock = 0, zeros = 0;
        for (std::size_t i = block; i < end; ++i) {
            inBlock += (bytes[i - 1] == '\r') & (bytes[i] == '\n');
            zeros |= bytes[i] == 0;
        }
        ends.count += inBlock;
        ends.zeroMet |= zeros != 0;
    }
    return ends;
}

}  // namespace

HistoryMonth::HistoryMonth(std::string text) : m_text(std::move(text)) {
    RecordEnds ends = CountRecordEnds(m_text);
    // The reader sees a file up to its first zero byte.
    if (ends.zeroMet) {
        m_text.resize(m_text.find('\0'));
        ends = CountRecordEnds(m_text);
    }
    m_recordCount = ends.count + (m_text.empty() || m_text.ends_with(kRecordEnd) ? 0 : 1);
    // A write cut short between the CR and the LF of its line break: the CR ends the record, as
    // the next append completes the line break.
    if (m_text.ends_with('\r')) m_text.pop_back();
}

std::size_t HistoryMonth::FieldCount(std::size_t record) const {
    std::size_t count = 0;
    core::ForEachPiece(Record(record), kFieldSeparator, -1,
                       [&count](std::string_view) { ++count; });
    return count;
}

std::string_view HistoryMonth::Field(std::size_t record, std::size_t field) const {
    std::string_view found;
    std::size_t index = 0;
    // The walk stops at the field asked for.
    core::ForEachPiece(Record(record), kFieldSeparator, static_cast<long long>(field) + 1,
                       [&](std::string_view piece) {
                           if (index++ == field) found = piece;
                       });
    return found;
}

// The same cut as ForEachPiece with "@", found by memchr: a month report splits every record, and
// a walk of every byte was most of its time. An "@" ends a field unless it is the trail byte of a
// double-byte character, which an odd run of possible lead bytes just before it tells: the byte
// before such a run ends a character, so the run pairs up from its start.
void HistoryMonth::SplitFields(std::size_t record, std::vector<std::string_view>& fields) const {
    fields.clear();
    const std::string_view text = Record(record);
    std::size_t start = 0;
    for (std::size_t from = 0;;) {
        const void* found = std::memchr(text.data() + from, kFieldSeparator[0], text.size() - from);
        if (!found) break;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        std::size_t leads = 0;
        while (at - leads > start &&
               core::IsLeadByte(static_cast<unsigned char>(text[at - leads - 1]))) {
            ++leads;
        }
        from = at + 1;
        if (leads % 2 == 1) continue;
        fields.push_back(text.substr(start, at - start));
        start = from;
    }
    if (start < text.size()) fields.push_back(text.substr(start));
}

std::string_view HistoryMonth::Record(std::size_t record) const {
    if (record >= m_recordCount) return {};
    const std::string_view bytes = m_text;
    constexpr std::size_t kEndSize = std::string_view(kRecordEnd).size();
    // The start after the record is kept too, which ends it: each line is looked through once.
    // A last line without CR LF ends with the bytes, as if they were there.
    while (m_recordStarts.size() <= record + 1) {
        m_recordStarts.push_back(
            std::min(bytes.find(kRecordEnd, m_recordStarts.back()), bytes.size()) + kEndSize);
    }
    const std::size_t start = m_recordStarts[record];
    return bytes.substr(start, m_recordStarts[record + 1] - kEndSize - start);
}

HistoryMonth ReadHistoryMonth(const std::filesystem::path& path) {
    std::optional<std::string> bytes = store::ReadWholeFile(path);
    return bytes ? HistoryMonth(std::move(*bytes)) : HistoryMonth();
}

std::string CellText(std::span<const std::string_view> fields, std::size_t field) {
    if (field >= fields.size()) return {};
    std::string text(fields[field]);
    if (field + 1 == kRecordFields) {
        for (std::size_t extra = kRecordFields; extra < fields.size(); ++extra) {
            (text += kFieldSeparator) += fields[extra];
        }
    }
    return text;
}

namespace {

// Eighteen digits always fit 64 bits, whatever is added to them later is checked.
constexpr std::size_t kMaxDigits = 18;

// A whole number at the front of `text`, taken off it. Not an optional: returning one cost a
// stall per number, and a year's takings read five million of them.
bool TakeInteger(std::string_view& text, std::int64_t& taken) {
    const bool negative = !text.empty() && text.front() == '-';
    std::size_t pos = negative ? 1 : 0;
    std::int64_t value = 0;
    const std::size_t first = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (pos - first == kMaxDigits) return false;
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    if (pos == first) return false;
    text.remove_prefix(pos);
    taken = negative ? -value : value;
    return true;
}

bool TakeText(std::string_view& text, std::string_view expected) {
    if (!text.starts_with(expected)) return false;
    text.remove_prefix(expected.size());
    return true;
}

// MoneyOf and DurationOf for the takings, which read through these to avoid TakeInteger's stall.
bool ReadMoney(std::string_view text, std::int64_t& yuan) {
    static const std::string& yuanSign = core::Fixed(u"￥");
    static const std::string& yuanWord = core::Fixed(u" 元");
    TakeText(text, yuanSign);
    return TakeInteger(text, yuan) && text == yuanWord;
}

bool ReadDuration(std::string_view text, std::int64_t& total) {
    static const std::string& hours = core::Fixed(u" 时 ");
    static const std::string& minutes = core::Fixed(u" 分 ");
    static const std::string& seconds = core::Fixed(u" 秒");
    std::int64_t h = 0, m = 0, s = 0, minuteSeconds = 0;
    return TakeInteger(text, h) && TakeText(text, hours) && TakeInteger(text, m) &&
           TakeText(text, minutes) && TakeInteger(text, s) && text == seconds &&
           !__builtin_mul_overflow(h, 3600, &total) &&
           !__builtin_mul_overflow(m, 60, &minuteSeconds) &&
           !__builtin_add_overflow(total, minuteSeconds, &total) &&
           !__builtin_add_overflow(total, s, &total);
}

}  // namespace

std::optional<std::int64_t> WholeInteger(std::string_view text) {
    std::int64_t value = 0;
    return TakeInteger(text, value) && text.empty() ? std::optional(value) : std::nullopt;
}

std::optional<std::int64_t> MoneyOf(std::string_view text) {
    std::int64_t yuan = 0;
    return ReadMoney(text, yuan) ? std::optional(yuan) : std::nullopt;
}

std::optional<std::int64_t> DurationOf(std::string_view text) {
    std::int64_t seconds = 0;
    return ReadDuration(text, seconds) ? std::optional(seconds) : std::nullopt;
}

std::optional<core::CalendarTime> DayOf(std::string_view text) {
    const std::optional<core::CalendarTime> t = core::ReadDateTime(text);
    if (!t) return std::nullopt;
    return core::CalendarTime{t->year, t->month, t->day};
}

std::variant<CheckoutFigures, Unreadable> ReadCheckoutFigures(
    std::span<const std::string_view> fields) {
    if (fields.empty() || (fields.size() == 1 && fields[0].empty())) return Unreadable::Empty;
    if (fields.size() < kRecordFields) return Unreadable::MissingFields;
    if (fields.size() > kRecordFields) return Unreadable::ExtraFields;
    const std::optional<core::CalendarTime> endDay = DayOf(fields[kFieldEnd]);
    if (!endDay) return Unreadable::EndTime;
    static const std::string& startTimeUnreadable = core::Fixed(kStartTimeUnreadable);
    const std::string_view duration = fields[kFieldDuration];
    const std::string_view total = fields[kFieldTotal];
    if (duration == startTimeUnreadable || total == startTimeUnreadable) {
        return Unreadable::StartTime;
    }
    std::int64_t seconds = 0, yuan = 0;
    if (!ReadDuration(duration, seconds)) return Unreadable::Duration;
    if (!ReadMoney(total, yuan)) return Unreadable::Total;
    return CheckoutFigures{*endDay, seconds, yuan};
}

}  // namespace durava::history
