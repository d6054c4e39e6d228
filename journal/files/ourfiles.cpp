// SPDX-License-Identifier: MIT
#include "journal/files/ourfiles.h"

#include <optional>

#include "core/utf8.h"
#include "store/files/fileio.h"
#include "store/startup.h"

namespace durava::journal {
namespace {

// Why a file that is there cannot be read or replaced: the kind of thing in its place, or a
// regular file that refused.
FileState Unusable(const std::filesystem::path& file) {
    const FileState there = WhatStandsThere(file);
    return there == FileState::Ok ? FileState::Unreadable : there;
}

}  // namespace

std::filesystem::path DuravaFolder(const std::filesystem::path& settingsPath) {
    return store::FollowLinks(settingsPath).parent_path() / kFolderName;
}

FileState ReadOurFile(const std::filesystem::path& file, std::string& bytes) {
    std::optional<std::string> read = store::ReadWholeFile(file);
    if (!read) return Unusable(file);
    bytes = std::move(*read);
    return MarkedReadOnly(file) ? FileState::ReadOnly : FileState::Ok;
}

FileState WriteOurFile(const std::filesystem::path& file, std::string_view bytes) {
    if (!store::CreateDirectoryTree(file.parent_path())) return FileState::NotWritten;
    switch (store::ReplaceFile(file, bytes)) {
        case store::FileProblem::None:
            return FileState::Ok;
        case store::FileProblem::Unreadable:
            return Unusable(file);
        case store::FileProblem::ReadOnly:
            return FileState::ReadOnly;
        case store::FileProblem::NotWritten:
            break;
    }
    return FileState::NotWritten;
}

std::vector<std::string_view> ContentLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!line.empty() && line.front() != ';') lines.push_back(line);
    }
    return lines;
}

std::string OurFileText(std::u16string_view note, const std::vector<std::string>& lines) {
    std::string text = "; " + core::WideToUtf8(note) + "\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace durava::journal
