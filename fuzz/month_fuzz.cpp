// SPDX-License-Identifier: MIT
// Any bytes as a month file: records and fields are what a plain split gives, and a record
// appended to it reads back whole as the last record, after the records that were there.
// Input: the file, then 2 bytes that make the record.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "history/historyfile.h"
#include "reference.h"

namespace durava::fuzz {
namespace {

using Records = std::vector<std::vector<std::string>>;

// The text up to the first zero byte, cut into lines at every CR LF (neither byte can belong to a
// double-byte character) and lines into fields at "@", walking characters. A CR that ends the text
// is a line break cut short.
Records Reference(std::string_view bytes) {
    std::string whole(bytes.substr(0, bytes.find('\0')));
    if (whole.ends_with('\r')) whole += '\n';
    std::string_view text = whole;
    Records records;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find("\r\n"), text.size());
        records.push_back(Split(text.substr(0, end), "@"));
        text.remove_prefix(std::min(end + 2, text.size()));
    }
    return records;
}

Records Read(const durava::history::HistoryMonth& month) {
    Records records(month.RecordCount());
    for (std::size_t r = 0; r < records.size(); ++r) {
        for (std::size_t f = 0; f < month.FieldCount(r); ++f) {
            records[r].emplace_back(month.Field(r, f));
        }
    }
    return records;
}

// The same records, each cut in one walk.
Records ReadWhole(const durava::history::HistoryMonth& month) {
    Records records(month.RecordCount());
    std::vector<std::string_view> fields;
    for (std::size_t r = 0; r < records.size(); ++r) {
        month.SplitFields(r, fields);
        records[r].assign(fields.begin(), fields.end());
    }
    return records;
}

}  // namespace
}  // namespace durava::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace durava::fuzz;
    static const ScratchFile scratch;
    const std::size_t fileSize = size >= 2 ? size - 2 : size;
    const std::string before(reinterpret_cast<const char*>(data), fileSize);
    FuzzedDataProvider choices(data + fileSize, size - fileSize);
    std::minstd_rand random(choices.ConsumeIntegral<std::uint16_t>());

    const Records records = Reference(before);
    Require(Read(durava::history::HistoryMonth(before)) == records);
    Require(ReadWhole(durava::history::HistoryMonth(before)) == records);

    // A zero byte hides everything after it, an appended record too.
    if (before.find('\0') != std::string::npos) return 0;
    std::vector<std::string> fields;
    std::string record;
    for (int f = 0; f < 11; ++f) {
        std::string bytes(1 + random() % 6, '\0');
        for (char& b : bytes) b = static_cast<char>(random());
        fields.push_back(SafeName(bytes));
        record += (f ? "@" : "") + fields.back();
    }
    scratch.Write(before);
    Require(durava::history::AppendHistoryRecord(scratch.Path(), record));
    Records expected = records;
    expected.push_back(fields);
    Require(Read(durava::history::ReadHistoryMonth(scratch.Path())) == expected);
    return 0;
}
