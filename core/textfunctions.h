// SPDX-License-Identifier: MIT
#pragma once
// Byte-string operations on code page 936 text. Positions count bytes from 1; a lead byte opens
// a double-byte character, so walks step over whole characters and a match never begins on a
// trail byte (which may equal "[", "\", "@" or "|").
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/codepage.h"

namespace durava::core {

using Text = std::string;
using TextArray = std::vector<std::string>;

// Length in bytes of the character that starts with `lead`.
inline std::size_t CharWidth(unsigned char lead) {
    return IsLeadByte(lead) ? 2 : 1;
}

// The bytes up to the first zero byte, or all of them.
Text BytesToText(std::string_view bytes);

Text TakeLeft(std::string_view text, long long n);
Text TakeRight(std::string_view text, long long n);
Text TakeMiddle(std::string_view text, long long position, long long n);

// 1-based position of the first match at or after `start`, or -1.
long long FindText(std::string_view text, std::string_view sought, long long start = 1,
                   bool ignoreCase = false);
// 1-based position of the last match, within the first start - 1 bytes when `start` is given.
long long FindTextLast(std::string_view text, std::string_view sought,
                       std::optional<long long> start = std::nullopt, bool ignoreCase = false);

Text ReplaceText(std::string_view text, long long position, long long length,
                 std::string_view replacement = {});

// Calls `piece` for each piece of `text` cut at `separator`; a trailing separator adds no empty
// last piece. `maxCount` below 0 means no limit. The views point into `text`.
void ForEachPiece(std::string_view text, std::string_view separator, long long maxCount,
                  const std::function<void(std::string_view)>& piece);
TextArray SplitText(std::string_view text, std::string_view separator, long long maxCount = -1);

// Below, at or above 0; ASCII letters fold when not case-sensitive.
int CompareText(std::string_view a, std::string_view b, bool caseSensitive);

}  // namespace durava::core
