#pragma once
// The process's global values and where the two stores live.
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/settings.h"
#include "core/textops.h"

namespace durava::core {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

inline constexpr char kSettingsFileName[] = "ROOMSETTING.ini";
inline constexpr char kHistoryFolderName[] = "History";
inline constexpr char kHistoryFileSuffix[] = ".QY.txt";

struct AppState {
    SettingsFile Settings;      // its path is SettingsPath
    std::string HistoryFolder;  // ends in the separator
    std::string CurrentItemName;
    std::string CheckoutItemName;
    TextArray SectionNames;
    TextArray HistoryFileList;

    const std::string& SettingsPath() const { return Settings.Path(); }
};

// The Documents folder as a program text ending in the separator; empty stays empty, so that
// both stores then lie in the current directory.
std::string DocumentsFolder(std::u16string_view platformFolder);
// Builds the paths from the Documents folder and creates the History folder. Reads nothing from
// the settings file.
AppState StartUp(std::string_view documentsFolder);
// The month file that a record made at `when` belongs to.
std::string HistoryFilePath(std::string_view historyFolder, DateTime when);

// The path up to and including its last separator; empty without one.
std::string DirectoryOfPath(std::string_view path);
// Creates every level below the root; true when the path names a directory afterwards.
bool CreateDirectoryTree(std::string_view path);

}  // namespace durava::core
