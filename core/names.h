// SPDX-License-Identifier: MIT
#pragma once
// What a name the operator types (an item's, an operator's) must be for the files to hold it
// faithfully. No window is needed to decide it.
#include <string>
#include <string_view>

namespace durava::core {

enum class NameFault {
    None,
    Blank,             // nothing but blanks
    EdgeBlanks,        // blanks at the start or the end
    ControlCharacter,  // line breaks and other control characters
    Reserved,          // "[", "]" (section headers), "|" (the list of names), "@" (history fields)
    OutsideCodePage,   // characters code page 936 cannot hold
    HighSingleByte,    // a character stored as one byte of 0x80 or above ("€"), which other
                       // readers of the files take for the first half of a double-byte one
};

// `typed` is the name as the screen holds it: only there can a character that the conversion to
// code page 936 would turn into "?" be told from a "?" the operator typed.
NameFault CheckName(std::u16string_view typed);
// Why a name was refused, in a sentence about `subject` ("项目名称"); empty for None.
std::string NameFaultText(NameFault fault, std::u16string_view subject);

}  // namespace durava::core
