// SPDX-License-Identifier: MIT
// The text operations that cut the files' lines and fields, against plain versions of their rules:
// positions count bytes from 1, and walks step over double-byte characters.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "core/textfunctions.h"
#include "reference.h"

namespace durava::fuzz {
namespace {

long long ReferenceFind(std::string_view text, std::string_view sought, long long start,
                        bool ignoreCase) {
    const std::size_t from = static_cast<std::size_t>(std::max(start, 1LL) - 1);
    if (from >= text.size()) return -1;
    if (sought.empty()) return 1;
    const std::string a = ignoreCase ? FoldLetters(text) : std::string(text);
    const std::string b = ignoreCase ? FoldLetters(sought) : std::string(sought);
    const std::vector<bool> starts = CharStarts(text);
    for (std::size_t pos = from; pos + b.size() <= a.size(); ++pos) {
        if (starts[pos] && a.compare(pos, b.size(), b) == 0) return static_cast<long long>(pos) + 1;
    }
    return -1;
}

std::string ReferenceMiddle(std::string_view text, long long position, long long n) {
    std::string taken;
    for (long long i = 0; i < n && position >= 1; ++i) {
        if (position + i > static_cast<long long>(text.size())) break;
        taken += text[static_cast<std::size_t>(position + i - 1)];
    }
    return taken;
}

// Mostly positions and counts around the text's length, sometimes the extremes.
long long Position(std::uint64_t raw, std::size_t length) {
    switch (raw % 8) {
        case 0:
            return LLONG_MIN + static_cast<long long>(raw >> 60);
        case 1:
            return LLONG_MAX - static_cast<long long>(raw >> 60);
        default:
            return static_cast<long long>((raw >> 3) % (length + 6)) - 2;
    }
}

}  // namespace
}  // namespace durava::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace durava::fuzz;
    using namespace durava::core;
    FuzzedDataProvider input(data, size);
    const bool ignoreCase = input.ConsumeBool();
    const auto rawStart = input.ConsumeIntegral<std::uint64_t>();
    const auto rawCount = input.ConsumeIntegral<std::uint64_t>();
    const auto maxCount = input.ConsumeIntegralInRange<int>(-1, 6);
    const std::string sought = input.ConsumeRandomLengthString(8);
    const std::string separator = input.ConsumeRandomLengthString(4);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const long long start = Position(rawStart, text.size());
    const long long count = Position(rawCount, text.size());

    Require(FindText(text, sought, start, ignoreCase) ==
            ReferenceFind(text, sought, start, ignoreCase));
    Require(SplitText(text, separator, maxCount) == Split(text, separator, maxCount));
    const std::size_t n = count <= 0 ? 0 : static_cast<std::size_t>(count);
    Require(TakeLeft(text, count) == text.substr(0, n));
    Require(TakeRight(text, count) == text.substr(text.size() - std::min(n, text.size())));
    Require(TakeMiddle(text, start, count) == ReferenceMiddle(text, start, count));
    return 0;
}
