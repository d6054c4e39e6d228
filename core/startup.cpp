#include "core/startup.h"

#include <filesystem>
#include <system_error>

#include "core/codepage.h"
#include "core/datetime.h"
#include "core/fileio.h"

namespace durava::core {

std::string DocumentsFolder(std::u16string_view platformFolder) {
    if (platformFolder.empty()) return {};
    std::u16string folder(platformFolder);
    if (folder.back() != kPathSeparator) folder += kPathSeparator;
    return WideToText(folder);
}

AppState StartUp(std::string_view documentsFolder) {
    AppState state;
    state.Settings = SettingsFile(std::string(documentsFolder) + kSettingsFileName);
    // A write cut short by a crash leaves its temporary file; the settings themselves are whole.
    RemoveLeftoverTemporaries(state.SettingsPath());
    state.HistoryFolder = std::string(documentsFolder) + kHistoryFolderName + kPathSeparator;
    // A folder that cannot be made shows later, when a checkout cannot write its record.
    CreateDirectoryTree(state.HistoryFolder);
    return state;
}

std::string HistoryFilePath(std::string_view historyFolder, DateTime when) {
    return std::string(historyFolder) + FormatDateTime(when, "yyyyMM", "") + kHistoryFileSuffix;
}

std::string DirectoryOfPath(std::string_view path) {
    if (!path.empty() && path.back() == kPathSeparator) path.remove_suffix(1);
    const long long last = FindTextLast(path, std::string_view(&kPathSeparator, 1));
    return TakeLeft(path, last);
}

bool CreateDirectoryTree(std::string_view path) {
    const std::u16string wide = TextToWide(path);
    // Two characters or fewer name no folder that could be made.
    if (wide.size() >= 3) {
        std::u16string prefix;
        int separators = 0;
        std::error_code ignored;  // a level that exists or cannot be made is passed over
        for (char16_t unit : wide) {
            // The first separator follows the root, which is never made.
            if (unit == kPathSeparator && separators++ > 0) {
                std::filesystem::create_directory(std::filesystem::path(prefix), ignored);
            }
            prefix += unit;
        }
        std::filesystem::create_directory(std::filesystem::path(prefix), ignored);
    }
    return IsDirectory(path);
}

}  // namespace durava::core
