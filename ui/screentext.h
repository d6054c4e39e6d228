#pragma once
// The screen boundary: program texts are code page 936 bytes, Qt shows UTF-16.
#include <QString>

#include <string>
#include <string_view>

namespace durava::ui {

QString ToScreen(std::string_view text);
QString ToScreen(std::u16string_view text);
std::string FromScreen(const QString& text);

}  // namespace durava::ui
