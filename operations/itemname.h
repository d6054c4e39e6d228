// SPDX-License-Identifier: MIT
#pragma once
// What the item dialog may keep: names the files hold faithfully and tariffs the fee rule reads as
// typed. No window is needed to decide either.
#include <string_view>

namespace durava::operations {

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
NameFault CheckItemName(std::u16string_view typed);

enum class TariffFault {
    None,
    NotWholeNumber,
    OutOfRange,  // beyond what the fee rule reads as 32 bits
    Negative,    // would bill negative totals
};

// Digits, full-width forms folded first; a leading "-" is read so that it can be refused.
TariffFault CheckTariff(std::string_view text);

}  // namespace durava::operations
