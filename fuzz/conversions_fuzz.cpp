// SPDX-License-Identifier: MIT
// Any text through the conversions that read the files back: ParseDateTime never fails badly and
// what it accepts formats and parses to the same time; TextToInteger agrees with a plain reading
// of its rule; FormatDateTime takes any time and picture.
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "core/datetime.h"
#include "core/numbers.h"
#include "reference.h"

namespace durava::fuzz {
namespace {

// Walks the characters, folding the full-width forms, then reads blanks, a sign and digits with
// 32-bit wrap-around.
std::int32_t ReferenceInteger(std::string_view text) {
    std::string folded;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (Width(text[i]) == 1) {
            folded += static_cast<char>(lead);
            ++i;
            continue;
        }
        if (i + 1 == text.size()) break;
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        i += 2;
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            folded += static_cast<char>(trail - 0x80);
        } else if (lead == 0xA1 && trail == 0xA1) {
            folded += ' ';
        } else {
            folded += '\x80';  // any other character ends the number
        }
    }
    std::size_t i = 0;
    while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r'))) {
        ++i;
    }
    const bool negative = i < folded.size() && folded[i] == '-';
    if (i < folded.size() && (folded[i] == '-' || folded[i] == '+')) ++i;
    std::uint32_t value = 0;
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(folded[i] - '0');
    }
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

}  // namespace
}  // namespace durava::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace durava::fuzz;
    using namespace durava::core;
    FuzzedDataProvider input(data, size);
    const auto bits = input.ConsumeIntegral<std::uint64_t>();
    const auto number = input.ConsumeIntegral<std::int32_t>();
    const std::string datePicture = input.ConsumeRandomLengthString(60);
    const std::string timePicture = input.ConsumeRandomLengthString(60);
    const std::string text = input.ConsumeRemainingBytesAsString();

    Require(TextToInteger(text) == ReferenceInteger(text));
    Require(TextToInteger(IntegerToText(number)) == number);

    const DateTime parsed = ParseDateTime(text);
    // Times after 9999-12-31 00:00:00 format as that moment, the end of the range.
    if (parsed != kMinDateTime && parsed <= kMaxDateTime) {
        Require(std::trunc(parsed) >= kMinDateTime);
        const std::string formatted = FormatDateTime(parsed, "yyyy/MM/dd ", "hh:mm:ss", true);
        Require(formatted.size() == 19);
        Require(ParseDateTime(formatted) == parsed);
    }

    for (const DateTime value : {std::bit_cast<double>(bits), parsed}) {
        const std::string formatted = FormatDateTime(value, datePicture, timePicture, bits & 1);
        Require(formatted.size() <= 2 * 49);
    }
    return 0;
}
