#pragma once
// Every read and write of the two stores goes through here, so that the rules for keeping
// data whole live in one place. Paths are program texts (code page 936).
#include <optional>
#include <string>
#include <string_view>

#include <sys/stat.h>

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

// stat(2) of a file-system path; false, with errno telling why, when it fails.
bool StatNative(const std::string& nativePath, struct stat& info);
// True when the path names an existing directory.
bool IsDirectory(std::string_view path);
// True when the path names an existing file that is not a directory.
bool IsFile(std::string_view path);

}  // namespace durava::core
