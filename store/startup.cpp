// SPDX-License-Identifier: MIT
#include "store/startup.h"

#include <filesystem>

#include "store/files/fileio.h"
#include "store/files/fileio_shared.h"

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
    // "History/" names the folder "History".
    const std::filesystem::path folder = path.has_filename() ? path : path.parent_path();
    if (IsDirectory(folder)) return true;
    const std::filesystem::path parent = folder.parent_path();
    // A level that cannot be made leaves the path missing, which the caller sees.
    if (!parent.empty() && parent != folder) CreateDirectoryTree(parent);
    // A power cut loses a folder until its parent is flushed, and with it every record a checkout
    // put there while the item went idle for good. One that cannot be made durable goes again,
    // so that checkouts are refused until it can.
    if (CreateFolder(folder) && !FlushFolder(FolderOf(folder))) RemoveFolder(folder);
    return IsDirectory(folder);
}

}  // namespace durava::store
