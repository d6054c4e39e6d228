// SPDX-License-Identifier: MIT
#pragma once
// UTF-8, the encoding of the files that are ours alone (exports, the Durava folder); the two
// stores stay in code page 936.
#include <optional>
#include <string>
#include <string_view>

namespace durava::core {

// A lone surrogate is written as the three bytes of its code, as the screen may hold one.
void AppendUtf8(std::string& out, std::u16string_view wide);
std::string WideToUtf8(std::u16string_view wide);
// Nothing when `bytes` is not well-formed UTF-8: a file edited with the wrong encoding. The three
// bytes of a lone surrogate read back as AppendUtf8 wrote them.
std::optional<std::u16string> Utf8ToWide(std::string_view bytes);

}  // namespace durava::core
