// SPDX-License-Identifier: MIT
#pragma once
// The screen boundary: program texts are code page 936 bytes, Qt shows UTF-16.
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace durava::ui {

QString ToScreen(std::string_view text);
QString ToScreen(std::u16string_view text);
std::string FromScreen(const QString& text);
// A path as Qt's file classes name it, whatever bytes or characters it holds.
QString ToQtPath(const std::filesystem::path& path);
// The file `name` in `folder`, as Qt's file classes name it.
QString FileIn(const std::filesystem::path& folder, const QString& name);

}  // namespace durava::ui
