// SPDX-License-Identifier: MIT
#include "core/names.h"

#include <string>

#include "core/codepage.h"
#include "core/fixedtexts.h"
#include "core/textfunctions.h"

namespace durava::core {
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

NameFault CheckName(std::u16string_view typed) {
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
    const std::string stored = WideToText(typed);
    if (TextToWide(stored) != typed) return NameFault::OutsideCodePage;
    for (std::size_t i = 0; i < stored.size(); i += CharWidth(stored[i])) {
        if (static_cast<unsigned char>(stored[i]) >= 0x80 && CharWidth(stored[i]) == 1) {
            return NameFault::HighSingleByte;
        }
    }
    return NameFault::None;
}

std::string NameFaultText(NameFault fault, std::u16string_view subject) {
    std::u16string_view why;
    switch (fault) {
        case NameFault::None:
            return {};
        case NameFault::Blank:
            why = u"不能只有空格。";
            break;
        case NameFault::EdgeBlanks:
            why = u"的开头和结尾不能是空格。";
            break;
        case NameFault::ControlCharacter:
            why = u"不能含有换行符或控制字符。";
            break;
        case NameFault::Reserved:
            why = u"不能含有 [ ] | @ 这几个符号。";
            break;
        case NameFault::OutsideCodePage:
            why = u"含有无法保存的字符，请改用其他文字。";
            break;
        case NameFault::HighSingleByte:
            why = u"不能含有 € 这类单字节符号，请改用其他文字。";
            break;
    }
    return Fixed(subject) + Fixed(why);
}

}  // namespace durava::core
