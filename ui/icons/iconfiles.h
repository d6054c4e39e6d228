// SPDX-License-Identifier: MIT
#pragma once
// The PNG files of resources/icons, built into the program; the build generates the
// definitions from the files themselves (embed_icons.cmake).
#include <span>

namespace durava::ui::icon_files {

extern const std::span<const unsigned char> kAdd;
extern const std::span<const unsigned char> kRefresh;
extern const std::span<const unsigned char> kDelete;
extern const std::span<const unsigned char> kModify;
extern const std::span<const unsigned char> kHistory;

}  // namespace durava::ui::icon_files
