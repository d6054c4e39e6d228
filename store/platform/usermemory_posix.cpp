// SPDX-License-Identifier: MIT
// The user's texts on Linux: a file each in the config folder the XDG base directories name.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "store/files/fileio.h"
#include "store/usermemory.h"

namespace durava::store {
namespace {

std::filesystem::path AreaFolder(std::string_view area) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path root = config && *config ? std::filesystem::path(config)
                                 : home && *home   ? std::filesystem::path(home) / ".config"
                                                   : std::filesystem::path();
    return root / "durava" / area;
}

}  // namespace

std::optional<std::string> RecallUserText(std::string_view area, std::string_view name) {
    return ReadWholeFile(AreaFolder(area) / name);
}

bool KeepUserText(std::string_view area, std::string_view name, std::string_view text) {
    const std::filesystem::path file = AreaFolder(area) / name;
    // Written over in place: a text as long as the one before, as the desk's memory keeps it,
    // costs no truncation.
    std::error_code error;
    const bool sameSize = std::filesystem::file_size(file, error) == text.size() && !error;
    std::ofstream out(file, sameSize ? std::ios::binary | std::ios::in | std::ios::out
                                     : std::ios::binary | std::ios::trunc);
    if (!out) {
        std::filesystem::create_directories(file.parent_path(), error);
        out.open(file, std::ios::binary | std::ios::trunc);
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace durava::store
