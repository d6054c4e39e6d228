// SPDX-License-Identifier: MIT
#include "core/utf8.h"

namespace durava::core {

void AppendUtf8(std::string& out, std::u16string_view wide) {
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

std::string WideToUtf8(std::u16string_view wide) {
    std::string out;
    out.reserve(wide.size());
    AppendUtf8(out, wide);
    return out;
}

std::optional<std::u16string> Utf8ToWide(std::string_view bytes) {
    std::u16string wide;
    wide.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        // The sequence's length, its least code (shorter forms are not well-formed) and its bits.
        std::size_t length = 1;
        char32_t least = 0, c = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, least = 0x10000, c = lead & 0x07;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, least = 0x800, c = lead & 0x0F;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, least = 0x80, c = lead & 0x1F;
        } else if (lead >= 0x80) {
            return std::nullopt;
        }
        if (bytes.size() - i < length) return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = c << 6 | (next & 0x3F);
        }
        if (c < least || c > 0x10FFFF) return std::nullopt;
        if (c < 0x10000) {
            wide += static_cast<char16_t>(c);
        } else {
            wide += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        i += length;
    }
    return wide;
}

}  // namespace durava::core
