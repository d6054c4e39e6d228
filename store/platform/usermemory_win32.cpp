// SPDX-License-Identifier: MIT
// The user's texts on Windows: a binary value each under the program's key of the current user.
#include <windows.h>

#include <string>

#include "store/usermemory.h"

namespace durava::store {
namespace {

std::wstring Ascii(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring AreaKey(std::string_view area) {
    return L"Software\\Durava\\" + Ascii(area);
}

}  // namespace

std::optional<std::string> RecallUserText(std::string_view area, std::string_view name) {
    const std::wstring key = AreaKey(area), value = Ascii(name);
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_BINARY, nullptr,
                     nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::string text(size, '\0');
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_BINARY, nullptr,
                     text.data(), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(size);
    return text;
}

bool KeepUserText(std::string_view area, std::string_view name, std::string_view text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, AreaKey(area).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const bool kept = RegSetValueExW(key, Ascii(name).c_str(), 0, REG_BINARY,
                                     reinterpret_cast<const BYTE*>(text.data()),
                                     static_cast<DWORD>(text.size())) == ERROR_SUCCESS;
    RegCloseKey(key);
    return kept;
}

}  // namespace durava::store
