// SPDX-License-Identifier: MIT
#include "store/startup.h"

#include <filesystem>
#include <system_error>

#include "store/fileio.h"

namespace durava::store {

std::filesystem::path DocumentsFolder(std::u16string_view platformFolder) {
    return std::filesystem::path(std::u16string(platformFolder));
}

AppState StartUp(const std::filesystem::path& documentsFolder) {
    AppState state;
    state.Settings = SettingsFile(documentsFolder / kSettingsFileName);
    // A write cut short by a crash leaves its temporary file; the settings themselves are whole.
    RemoveLeftoverTemporaries(state.SettingsPath());
    state.HistoryFolder = documentsFolder / kHistoryFolderName;
    // A folder that cannot be made shows later, when a checkout cannot write its record.
    CreateDirectoryTree(state.HistoryFolder);
    return state;
}

bool CreateDirectoryTree(const std::filesystem::path& path) {
    std::error_code ignored;  // a level that exists or cannot be made is passed over
    std::filesystem::create_directories(path, ignored);
    return IsDirectory(path);
}

}  // namespace durava::store
