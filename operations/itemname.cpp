// SPDX-License-Identifier: MIT
#include "operations/itemname.h"

#include <cstdint>

#include "core/codepage.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "core/textfunctions.h"

namespace durava::operations {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\u3000';
}

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == u'\u2028' || c == u'\u2029';
}

bool IsReserved(char16_t c) {
    return c == u'[' || c == u']' || c == u'|' || c == u'@';
}

}  // namespace

NameFault CheckItemName(std::u16string_view typed) {
    const std::size_t first = typed.find_first_not_of(u" \u3000");
    if (first == std::u16string_view::npos) return NameFault::Blank;
    if (IsBlank(typed.front()) || IsBlank(typed.back())) return NameFault::EdgeBlanks;
    for (char16_t c : typed) {
        if (IsControl(c)) return NameFault::ControlCharacter;
    }
    for (char16_t c : typed) {
        if (IsReserved(c)) return NameFault::Reserved;
    }
    // A character the code page lacks comes back as "?"; one it maps askew comes back different.
    const std::string stored = core::WideToText(typed);
    if (core::TextToWide(stored) != typed) return NameFault::OutsideCodePage;
    for (std::size_t i = 0; i < stored.size(); i += core::CharWidth(stored[i])) {
        if (static_cast<unsigned char>(stored[i]) >= 0x80 && core::CharWidth(stored[i]) == 1) {
            return NameFault::HighSingleByte;
        }
    }
    return NameFault::None;
}

TariffFault CheckTariff(std::string_view text) {
    const std::string folded = core::FoldFullWidth(text);
    std::string_view digits = folded;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    if (digits.empty()) return TariffFault::NotWholeNumber;
    const std::int64_t limit = negative ? std::int64_t{INT32_MAX} + 1 : INT32_MAX;
    std::int64_t value = 0;
    bool tooLarge = false;
    for (char c : digits) {
        if (c < '0' || c > '9') return TariffFault::NotWholeNumber;
        if (!tooLarge) value = value * 10 + (c - '0');
        tooLarge = tooLarge || value > limit;
    }
    if (tooLarge) return TariffFault::OutOfRange;
    return negative && value != 0 ? TariffFault::Negative : TariffFault::None;
}

}  // namespace durava::operations
