// SPDX-License-Identifier: MIT
#pragma once
// What the platforms' file layers share beyond the interface of store/fileio.h.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "store/files/fileio_faults.h"

namespace durava::store {

// A new name beside `target` for the content that replaces it, hidden, and no name an operator
// would choose: ".ROOMSETTING.ini.durava-k3x9q0aa.tmp".
std::filesystem::path TemporaryBeside(const std::filesystem::path& target);
// The folder whose entry changes when `file` is renamed into place.
std::filesystem::path FolderOf(const std::filesystem::path& file);

// All bytes `readSome(buffer, size)` gives until it reports the end (0); nothing when it fails
// (a negative count). The file may still grow or shrink while it is read, so it is read until the
// end it has now, into room for `expectedSize` bytes and one to spare, so that the read that meets
// the end needs no larger buffer.
template <typename ReadSome>
std::optional<std::string> ReadUntilEnd(std::size_t expectedSize, ReadSome readSome) {
    std::string bytes(expectedSize + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
        const auto got = readSome(bytes.data() + filled, bytes.size() - filled);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

#ifdef _WIN32
using NativeFile = void*;  // a HANDLE, named without the header that would rename our functions
#else
using NativeFile = int;
#endif

// Each platform's own: what a failed open gives, and closing, which releases the file even when
// it reports an error.
extern const NativeFile kNoFile;
bool Close(FileStep step, NativeFile file);

class FileHandle {
  public:
    // `closing` is the step that closing it serves.
    FileHandle(NativeFile file, FileStep closing) : m_file(file), m_closing(closing) {}
    ~FileHandle() {
        if (*this) Close(m_closing, m_file);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    NativeFile get() const { return m_file; }
    explicit operator bool() const { return m_file != kNoFile; }
    // Closing can report a deferred write error, so writers check it.
    bool close() { return Close(m_closing, std::exchange(m_file, kNoFile)); }

  private:
    NativeFile m_file;
    FileStep m_closing;
};

// Writes all of `bytes` through `writeAll`; when a test makes `step` fail, it does so as a disk
// that fills up mid-write: part of the bytes land, then the error.
template <typename WriteAll>
bool WriteOrTear(FileStep step, std::string_view bytes, WriteAll writeAll) {
    if (!StepFails(step)) return writeAll(bytes);
    const int error = errno;
    writeAll(bytes.substr(0, bytes.size() / 2));
    errno = error;
    return false;
}

// The pieces that read a file, each platform's own; the size is nothing unless it is a regular
// file.
NativeFile OpenToRead(const std::filesystem::path& path);
std::optional<std::uint64_t> SizeToRead(NativeFile file);

// The pieces that change a file in place, each platform's own. `create` makes a missing file; the
// size is nothing unless it is a regular file.
NativeFile OpenToChange(const std::filesystem::path& path, bool create);
std::optional<std::uint64_t> SizeToChange(NativeFile file);
bool ReadAt(NativeFile file, std::string& bytes, std::uint64_t offset);
// Writes at the end of the file, wherever another writer left it.
bool Append(NativeFile file, std::string_view bytes);
bool WriteAt(NativeFile file, std::string_view bytes, std::uint64_t offset);
bool Truncate(NativeFile file, std::uint64_t size);
bool FlushChange(NativeFile file);

// The pieces that change a folder, each platform's own. `step` is what the removal serves.
bool RemoveFile(FileStep step, const std::filesystem::path& path);
bool CreateFolder(const std::filesystem::path& path);
bool RemoveFolder(const std::filesystem::path& path);
// Makes the names the folder holds durable: the files made, renamed or removed in it.
bool FlushFolder(const std::filesystem::path& folder);

}  // namespace durava::store
