// SPDX-License-Identifier: MIT
#pragma once
// The process's global values and where the two stores live.
#include <filesystem>
#include <string>
#include <string_view>

#include "core/textfunctions.h"
#include "store/settings/settings.h"

namespace durava::store {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

inline constexpr char kSettingsFileName[] = "ROOMSETTING.ini";
inline constexpr char kHistoryFolderName[] = "History";

struct AppState {
    SettingsFile Settings;  // its path is SettingsPath
    std::filesystem::path HistoryFolder;

    const std::filesystem::path& SettingsPath() const { return Settings.Path(); }
};

// The Documents folder as the platform names it; empty stays empty, so that both stores then lie
// in the current directory. Its name never passes through code page 936, which cannot hold every
// folder name.
std::filesystem::path DocumentsFolder(std::u16string_view platformFolder);
// Builds the paths from the Documents folder and creates the History folder. Reads nothing from
// the settings file.
AppState StartUp(const std::filesystem::path& documentsFolder);

// Creates every missing level; true when the path names a directory afterwards.
bool CreateDirectoryTree(const std::filesystem::path& path);

}  // namespace durava::store
