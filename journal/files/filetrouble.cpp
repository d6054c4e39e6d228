// SPDX-License-Identifier: MIT
#include "journal/files/filetrouble.h"

#include <system_error>

namespace durava::journal {

FileState WhatStandsThere(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    switch (status.type()) {
        case std::filesystem::file_type::regular:
            return FileState::Ok;
        case std::filesystem::file_type::not_found:
            return FileState::Missing;
        case std::filesystem::file_type::directory:
            return FileState::Folder;
        case std::filesystem::file_type::none:  // the look itself failed
        case std::filesystem::file_type::unknown:
            return FileState::Unreadable;
        default:
            return FileState::NotAFile;
    }
}

bool MarkedReadOnly(const std::filesystem::path& file) {
    using std::filesystem::perms;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    return !error && std::filesystem::is_regular_file(status) &&
           (status.permissions() &
            (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}

}  // namespace durava::journal
