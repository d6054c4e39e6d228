// SPDX-License-Identifier: MIT
#pragma once
// Every read and write of the two stores goes through here, so that the rules for keeping data
// whole live in one place. Paths are the file system's own, from the Documents folder to every
// open; code page 936 is for file contents only.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace durava::store {

// Why a store could not be read or written, for the message the operator sees.
enum class FileProblem {
    None,
    Unreadable,  // missing rights, not a regular file, a failing disk
    ReadOnly,  // the file is marked read-only, or its folder takes no new file: it is never written
    NotWritten,  // the disk refused the write: full, failing, or the folder is protected
};

// All bytes of a regular file; nothing when it is missing, not a regular file or unreadable.
// Never blocks: a FIFO or device in the file's place is not opened for reading.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces the file's content atomically: a temporary file in the same folder is written,
// flushed and renamed over it, so a crash leaves the old content or the new, never a mix. A
// symbolic link stays a link: its target is replaced, in the target's folder. The file keeps its
// mode; a new one gets the mode the umask allows. A read-only file is not written. The folder
// must exist.
FileProblem ReplaceFile(const std::filesystem::path& path, std::string_view bytes);
// The file that a write of `path` replaces: a symbolic link is followed to its target (on Windows
// also the links and junctions of its folders), so that a link stays a link and every path that
// reaches one file reaches the same folder.
std::filesystem::path FollowLinks(std::filesystem::path path);
// Whether an errno says that the file or its folder may not be written, whatever the disk holds.
bool RefusesWrites(int error);

// Removes the temporary files that a ReplaceFile of `path` cut short by a crash left behind;
// never one young enough to belong to a write still under way in another copy of the program.
void RemoveLeftoverTemporaries(const std::filesystem::path& path);

// Appends `bytes` with one write and flushes it, creating the file when missing. When the file
// is not empty and does not end in `lineBreak`, `lineBreak` goes first in the same write, so that
// a hand-edited last line does not swallow the new one; a file that ends in the first byte of
// `lineBreak` gets only the rest of it. When the write is not whole, the file is
// cut back to its former size.
bool AppendToFile(const std::filesystem::path& path, std::string_view bytes,
                  std::string_view lineBreak);

// Takes back an append of `tail` that found the file `sizeBefore` bytes long: when the file still
// ends with `tail`, it is cut back to that size, a line break the append put first going with it.
// A file the append made (`sizeBefore` is nothing) is removed. False when the file does not end
// so or cannot be changed.
bool TakeBackAppend(const std::filesystem::path& path, std::optional<std::uint64_t> sizeBefore,
                    std::string_view tail);

// Writes `bytes` over the start of the file in place, with one flush: for a small record of fixed
// size whose old content must not stay on the disk, as the blocks a rename frees would. A missing
// file is made as ReplaceFile makes it. A crash can tear the record, so its reader must tell.
FileProblem OverwriteFile(const std::filesystem::path& path, std::string_view bytes);

// The last `count` bytes of a regular file, or all of it when shorter: the end of a file that only
// grows, read without reading all of it. Nothing when it cannot be read, with errno telling why.
std::optional<std::string> ReadFileEnd(const std::filesystem::path& path, std::size_t count);

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
std::optional<FileLook> LookAt(const std::filesystem::path& path);
// True when the path names an existing directory.
bool IsDirectory(const std::filesystem::path& path);

}  // namespace durava::store
