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

// Characters code page 936 cannot hold become "?".
std::string WideToText(std::u16string_view wide, int codePage = kAnsiCodePage);
// Invalid byte sequences become U+003F.
std::u16string TextToWide(std::string_view text, int codePage = kAnsiCodePage);
// The file-system path named by a code page 936 text.
std::filesystem::path NativePath(std::string_view text);

}  // namespace durava::core
