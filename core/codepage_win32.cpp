// SPDX-License-Identifier: MIT
// Code page 936 through the platform's own converter: the reference the files follow.
#include "core/codepage.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace durava::core {
namespace {

int Length(std::size_t size) {
    if (size > INT_MAX) throw std::length_error("text too long to convert");
    return static_cast<int>(size);
}

}  // namespace

std::string WideToText(std::u16string_view wide, int codePage) {
    wide = wide.substr(0, wide.find(u'\0'));
    if (wide.empty()) return {};
    const auto* in = reinterpret_cast<const wchar_t*>(wide.data());
    const int units = Length(wide.size());
    std::string text(WideCharToMultiByte(codePage, 0, in, units, nullptr, 0, nullptr, nullptr),
                     '\0');
    text.resize(WideCharToMultiByte(codePage, 0, in, units, text.data(), Length(text.size()),
                                    nullptr, nullptr));
    return text;
}

std::u16string TextToWide(std::string_view text, int codePage) {
    text = text.substr(0, text.find('\0'));
    if (text.empty()) return {};
    const int bytes = Length(text.size());
    std::u16string wide(MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0), u'\0');
    wide.resize(MultiByteToWideChar(codePage, 0, text.data(), bytes,
                                    reinterpret_cast<wchar_t*>(wide.data()), Length(wide.size())));
    return wide;
}

}  // namespace durava::core
