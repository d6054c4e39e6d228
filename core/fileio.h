#pragma once
// Every read and write of the two stores goes through here, so that the rules for keeping
// data whole live in one place. Paths are program texts (code page 936).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace durava::core {

// All bytes of a regular file; nothing when it is missing, a directory or unreadable.
std::optional<std::string> ReadWholeFile(std::string_view path);

// Replaces the file's content atomically: a temporary file in the same folder is written,
// flushed and renamed over it, so a crash leaves the old content or the new, never a mix.
// The folder must exist.
bool ReplaceFile(std::string_view path, std::string_view bytes);
// Removes the temporary files that a ReplaceFile of `path` cut short by a crash left behind.
void RemoveLeftoverTemporaries(std::string_view path);

// Appends `bytes` with one write and flushes it, creating the file when missing. When the file
// is not empty and does not end in `lineBreak`, `lineBreak` goes first in the same write, so that
// a hand-edited last line does not swallow the new one. When the write is not whole, the file is
// cut back to its former size.
bool AppendToFile(std::string_view path, std::string_view bytes, std::string_view lineBreak);

// Cuts `tail` off the end of the file when the file ends with exactly those bytes; false when
// it does not or the file cannot be changed.
bool RemoveTail(std::string_view path, std::string_view tail);

// What a look at a path finds: enough to tell that a file has changed since an earlier look.
struct FileLook {
    bool directory = false;
    std::uint64_t device = 0, file = 0;  // the same pair names the same file
    std::uint64_t size = 0;
    std::int64_t modified = 0,
                 changed = 0;  // nanoseconds since 1970, as the file system keeps them

    bool operator==(const FileLook&) const = default;
};
// Nothing, with errno telling why, when the path cannot be looked at.
std::optional<FileLook> LookAt(const std::filesystem::path& nativePath);
// True when the path names an existing directory.
bool IsDirectory(std::string_view path);
// True when the path names an existing file that is not a directory.
bool IsFile(std::string_view path);

}  // namespace durava::core
