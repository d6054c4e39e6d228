// SPDX-License-Identifier: MIT
#include "ui/screenconversion.h"

#include <QDir>
#include <QFile>

#include "core/codepage.h"

namespace durava::ui {

QString ToScreen(std::string_view text) {
    const std::u16string wide = core::TextToWide(text);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

QString ToScreen(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromScreen(const QString& text) {
    return core::WideToText(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                static_cast<std::size_t>(text.size())));
}

QString ToQtPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

QString FileIn(const std::filesystem::path& folder, const QString& name) {
    return QDir(ToQtPath(folder)).filePath(name);
}

}  // namespace durava::ui
