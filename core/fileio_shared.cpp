// What the file layer does the same way on every platform.
#include <algorithm>
#include <filesystem>

#include "core/codepage.h"
#include "core/fileio.h"

namespace durava::core {

void RemoveLeftoverTemporaries(std::string_view path) {
    const std::filesystem::path target = NativePath(path);
    const auto prefix = target.filename().native() + std::filesystem::path::value_type('.');
    std::error_code ignored;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        const auto name = entry.path().filename().native();
        // Six letters or digits after the name and a dot, as the temporary files are named.
        const bool temporary =
            name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                        [](auto c) {
                            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                                   (c >= 'a' && c <= 'z');
                        });
        if (temporary && entry.is_regular_file(ignored)) std::filesystem::remove(entry, ignored);
    }
}

bool IsDirectory(std::string_view path) {
    const std::optional<FileLook> look = LookAt(NativePath(path));
    return look && look->directory;
}

bool IsFile(std::string_view path) {
    const std::optional<FileLook> look = LookAt(NativePath(path));
    return look && !look->directory;
}

}  // namespace durava::core
