// SPDX-License-Identifier: MIT
#pragma once
// The folder Durava keeps its own files in, beside the settings file, and how one of them is read
// and replaced: through the store's file layer, so that its rules for keeping data whole (and the
// tests' fault seam) cover our files too. Our files are UTF-8 text with CR LF, readable in an
// editor; ROOMSETTING.ini and the month files never hold anything of ours.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "journal/files/filetrouble.h"

namespace durava::journal {

inline constexpr char kFolderName[] = "Durava";

// Beside the file that a link in the settings file's place leads to, so that two desks on one
// settings file keep one folder.
std::filesystem::path DuravaFolder(const std::filesystem::path& settingsPath);

// What a read of one of our files found, and what it holds when it reads as we write it.
template <typename Content>
struct FileRead {
    FileState state = FileState::Missing;
    std::optional<Content> content;  // when the state is Ok or ReadOnly
};

// The bytes, when the state is Ok or ReadOnly.
FileState ReadOurFile(const std::filesystem::path& file, std::string& bytes);
// The file read and given to `parse`, which gives nothing for bytes we did not write.
template <typename Content>
FileRead<Content> ReadOurFile(const std::filesystem::path& file,
                              std::optional<Content> (*parse)(std::string_view bytes)) {
    std::string bytes;
    const FileState state = ReadOurFile(file, bytes);
    if (state != FileState::Ok && state != FileState::ReadOnly) return {state, {}};
    std::optional<Content> content = parse(bytes);
    if (!content) return {FileState::Damaged, {}};
    return {state, std::move(content)};
}

// Creates the folder when missing, then replaces the file whole.
FileState WriteOurFile(const std::filesystem::path& file, std::string_view bytes);

// The lines that carry content: blank lines and notes (";" first) are passed over; a line may end
// in LF alone, as an editor may have saved it. The views point into `bytes`.
std::vector<std::string_view> ContentLines(std::string_view bytes);
// The lines with CR LF after each, the note first.
std::string OurFileText(std::u16string_view note, const std::vector<std::string>& lines);

}  // namespace durava::journal
