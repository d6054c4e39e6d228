// SPDX-License-Identifier: MIT
#pragma once
// The one converter between code page 936 texts and UTF-16, and from texts to file-system paths.
#include <filesystem>
#include <string>
#include <string_view>

namespace durava::core {

inline constexpr int kAnsiCodePage = 936;

// The first byte of a double-byte character. 0x80 ("€") and 0xFF stand alone.
inline bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

// Each UTF-16 unit that code page 936 cannot hold becomes "?".
std::string WideToText(std::u16string_view wide, int codePage = kAnsiCodePage);
// Invalid byte sequences become U+003F; a lead byte always takes the byte after it along.
std::u16string TextToWide(std::string_view text, int codePage = kAnsiCodePage);
// The file-system path named by a code page 936 text.
inline std::filesystem::path NativePath(std::string_view text) {
    return std::filesystem::path(TextToWide(text));
}

}  // namespace durava::core
