// SPDX-License-Identifier: MIT
// The file layer on Win32: wide paths, whole-file replacement by one rename that NTFS makes
// atomic, appends in one write, and read-only files never written.
#include <windows.h>
// The header names its own file replacement so; ours is the one declared in store/fileio.h.
#undef ReplaceFile

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>

#include "store/files/fileio.h"
#include "store/files/fileio_faults.h"
#include "store/files/fileio_shared.h"
#include "store/powercut/powercut.h"

namespace durava::store {
namespace {

// One error vocabulary on every platform: callers and tests speak errno.
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
            return ENOENT;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}

// How the power-cut recorder names an open file.
std::intptr_t Id(HANDLE file) {
    return reinterpret_cast<std::intptr_t>(file);
}

template <typename Result>
Result Failed(Result result) {
    errno = ErrnoOf(GetLastError());
    return result;
}

// Paths past MAX_PATH only open in the \\?\ form, which takes absolute, normalised paths alone.
std::wstring Wide(const std::filesystem::path& path) {
    constexpr std::size_t kShortEnough = 248;  // the folder limit, a little below MAX_PATH
    std::wstring wide = path.wstring();
    if (wide.size() < kShortEnough || wide.starts_with(LR"(\\?\)")) return wide;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return wide;
    wide = absolute.lexically_normal().make_preferred().wstring();
    return wide.starts_with(LR"(\\)") ? LR"(\\?\UNC\)" + wide.substr(2) : LR"(\\?\)" + wide;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// One call moves at most this much, well inside a DWORD.
constexpr std::size_t kChunk = std::size_t{1} << 30;

// Every call of the file layer goes through one of these, named by the step it serves, so that
// tests reach each one.
HANDLE Open(FileStep step, const std::wstring& path, DWORD access, DWORD disposition,
            DWORD attributes = FILE_ATTRIBUTE_NORMAL, DWORD share = kShareAll) {
    if (StepFails(step)) return INVALID_HANDLE_VALUE;
    const HANDLE handle =
        CreateFileW(path.c_str(), access, share, nullptr, disposition, attributes, nullptr);
    return handle == INVALID_HANDLE_VALUE ? Failed(handle) : handle;
}

// Only a regular file on a disk passes; a directory, a pipe or a device does not.
bool InfoOf(FileStep step, HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
    if (StepFails(step)) return false;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info)) {
        return Failed(false);
    }
    return (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0 ||
           (errno = EISDIR, false);
}

std::uint64_t SizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return std::uint64_t{info.nFileSizeHigh} << 32 | info.nFileSizeLow;
}

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

// The number of bytes read, -1 on failure, 0 at the end.
long long Read(HANDLE file, char* buffer, std::size_t size) {
    if (StepFails(FileStep::Read)) return -1;
    DWORD got = 0;
    if (!ReadFile(file, buffer, static_cast<DWORD>(std::min(size, kChunk)), &got, nullptr)) {
        return Failed(-1);
    }
    return got;
}

// Writes all bytes at `at`, or at the end of the file when it is null; a short write is a full
// disk.
bool Write(FileStep step, HANDLE file, std::string_view bytes, OVERLAPPED* at) {
    return WriteOrTear(step, bytes, [&](std::string_view part) {
        DWORD written = 0;
        if (!WriteFile(file, part.data(), static_cast<DWORD>(part.size()), &written, at)) {
            return Failed(false);
        }
        NoteWritten(Id(file), part.substr(0, written));
        return written == part.size() || (errno = ENOSPC, false);
    });
}

bool Flush(FileStep step, HANDLE file) {
    if (StepFails(step)) return false;
    if (!FlushFileBuffers(file)) return Failed(false);
    NoteFileFlushed(Id(file));
    return true;
}

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (StepFails(FileStep::Rename)) return false;
    if (!MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Failed(false);
    }
    // Write-through returns once the rename is on the disk, as a flush of its folder would.
    NoteRenamed(from, to, true);
    return true;
}

// A temporary file beside the target under a name no other writer holds, created exclusively.
HANDLE CreateTemporary(const std::filesystem::path& target, DWORD attributes,
                       std::filesystem::path& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryBeside(target);
        const HANDLE file = Open(FileStep::CreateTemporary, Wide(temporary), GENERIC_WRITE,
                                 CREATE_NEW, attributes, 0);
        if (file != INVALID_HANDLE_VALUE) NoteOpened(Id(file), temporary);
        if (file != INVALID_HANDLE_VALUE || errno != EEXIST) return file;
    }
    return INVALID_HANDLE_VALUE;
}

std::int64_t Nanoseconds(LONGLONG fileTime) {
    constexpr LONGLONG k1601To1970 = 116444736000000000LL;  // in 100 ns
    return (fileTime - k1601To1970) * 100;
}

std::int64_t Nanoseconds(const FILETIME& time) {
    return Nanoseconds(static_cast<LONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
}

// A final path as a person writes it, drive or share first, for the messages that name it; one
// too long to open without its long-path prefix keeps it.
std::wstring AsWritten(std::wstring path) {
    constexpr std::wstring_view kLocal = L"\\\\?\\", kShare = L"\\\\?\\UNC\\";
    if (path.size() >= MAX_PATH) return path;
    if (path.starts_with(kShare)) return L"\\" + path.substr(kShare.size() - 1);
    if (path.starts_with(kLocal)) return path.substr(kLocal.size());
    return path;
}

// The path that opening `path` reaches through every link and junction on its way; nothing, with
// errno telling why, when it cannot be opened.
std::optional<std::filesystem::path> FinalPath(const std::filesystem::path& path) {
    FileHandle file(Open(FileStep::Look, Wide(path), 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS),
                    FileStep::Look);
    if (!file) return std::nullopt;
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        // The length without its terminating zero, or, when it does not fit, the room it needs.
        const DWORD size = GetFinalPathNameByHandleW(file.get(), final.data(),
                                                     static_cast<DWORD>(final.size()), 0);
        if (size == 0) return Failed(std::nullopt);
        const bool fits = size < final.size();
        final.resize(size);
        if (fits) return AsWritten(std::move(final));
    }
}

}  // namespace

const NativeFile kNoFile = INVALID_HANDLE_VALUE;

bool Close(FileStep step, HANDLE file) {
    NoteClosed(Id(file));
    const bool closed = CloseHandle(file) || Failed(false);
    return !StepFails(step) && closed;
}

std::filesystem::path FollowLinks(std::filesystem::path path) {
    if (std::optional<std::filesystem::path> final = FinalPath(path)) return *final;
    // A file not made yet is made where the links of its folder lead.
    if (errno == ENOENT) {
        if (std::optional<std::filesystem::path> folder = FinalPath(FolderOf(path))) {
            return *folder / path.filename();
        }
    }
    return path;
}

HANDLE OpenToChange(const std::filesystem::path& path, bool create) {
    const HANDLE file = Open(FileStep::OpenToChange, Wide(path), GENERIC_READ | GENERIC_WRITE,
                             create ? OPEN_ALWAYS : OPEN_EXISTING);
    if (file != INVALID_HANDLE_VALUE) NoteOpened(Id(file), path);
    return file;
}

std::optional<std::uint64_t> SizeToChange(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!InfoOf(FileStep::StatToChange, file, info)) return std::nullopt;
    return SizeOf(info);
}

bool ReadAt(HANDLE file, std::string& bytes, std::uint64_t offset) {
    if (StepFails(FileStep::ReadEnd)) return false;
    OVERLAPPED at = At(offset);
    DWORD got = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, &at)) {
        return Failed(false);
    }
    return got == bytes.size() || (errno = EIO, false);
}

bool Append(HANDLE file, std::string_view bytes) {
    // All ones as the offset writes at the end of the file, wherever another writer left it.
    OVERLAPPED atEnd = At(~std::uint64_t{0});
    return bytes.size() <= kChunk && Write(FileStep::Append, file, bytes, &atEnd);
}

bool WriteAt(HANDLE file, std::string_view bytes, std::uint64_t offset) {
    OVERLAPPED at = At(offset);
    return bytes.size() <= kChunk && Write(FileStep::Overwrite, file, bytes, &at);
}

bool Truncate(HANDLE file, std::uint64_t size) {
    if (StepFails(FileStep::Truncate)) return false;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(file, end, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) {
        return Failed(false);
    }
    NoteTruncated(Id(file), size);
    return true;
}

bool FlushChange(HANDLE file) {
    return Flush(FileStep::FlushChange, file);
}

bool RemoveFile(FileStep step, const std::filesystem::path& path) {
    if (StepFails(step)) return false;
    if (!DeleteFileW(Wide(path).c_str())) return Failed(false);
    NoteRemoved(path);
    return true;
}

bool CreateFolder(const std::filesystem::path& path) {
    if (StepFails(FileStep::CreateFolder)) return false;
    if (!CreateDirectoryW(Wide(path).c_str(), nullptr)) return Failed(false);
    NoteFolderCreated(path);
    return true;
}

bool RemoveFolder(const std::filesystem::path& path) {
    if (StepFails(FileStep::RemoveFolder)) return false;
    if (!RemoveDirectoryW(Wide(path).c_str())) return Failed(false);
    NoteRemoved(path);
    return true;
}

bool FlushFolder(const std::filesystem::path& folder) {
    if (StepFails(FileStep::FlushFolder)) return false;
    // Only a handle opened for writing flushes, and only one with backup semantics is a folder's.
    const HANDLE handle = CreateFileW(Wide(folder).c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const bool flushed = handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
    const DWORD error = flushed ? ERROR_SUCCESS : GetLastError();
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    // A file system or share that flushes no folder, or opens none for it, offers nothing
    // stronger than what was done; only a failing disk refuses.
    if (!flushed && error != ERROR_ACCESS_DENIED && error != ERROR_INVALID_FUNCTION &&
        error != ERROR_NOT_SUPPORTED) {
        errno = ErrnoOf(error);
        return false;
    }
    NoteFolderFlushed(folder);
    return true;
}

std::optional<FileLook> LookAt(const std::filesystem::path& path) {
    // Opened without access, only to be looked at; directories too.
    FileHandle file(Open(FileStep::Look, Wide(path), 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS),
                    FileStep::Look);
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.get(), &info)) {
        return file ? Failed(std::nullopt) : std::nullopt;
    }
    FileLook look;
    look.directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    look.device = info.dwVolumeSerialNumber;
    look.file = std::uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow;
    look.size = SizeOf(info);
    look.modified = look.changed = Nanoseconds(info.ftLastWriteTime);
    // The change time also moves when the file is renamed over or its attributes change.
    FILE_BASIC_INFO basic;
    if (GetFileInformationByHandleEx(file.get(), FileBasicInfo, &basic, sizeof basic)) {
        look.changed = Nanoseconds(basic.ChangeTime.QuadPart);
    }
    return look;
}

HANDLE OpenToRead(const std::filesystem::path& path) {
    return Open(FileStep::OpenToRead, Wide(path), GENERIC_READ, OPEN_EXISTING);
}

std::optional<std::uint64_t> SizeToRead(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!InfoOf(FileStep::StatToRead, file, info)) return std::nullopt;
    return SizeOf(info);
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    FileHandle file(OpenToRead(path), FileStep::Read);
    const std::optional<std::uint64_t> size = file ? SizeToRead(file.get()) : std::nullopt;
    if (!size) return std::nullopt;
    return ReadUntilEnd(static_cast<std::size_t>(*size), [&](char* buffer, std::size_t size) {
        return Read(file.get(), buffer, size);
    });
}

FileProblem ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path followed = FollowLinks(path);
    if (StepFails(FileStep::Look)) return FileProblem::Unreadable;
    const DWORD old = GetFileAttributesW(Wide(followed).c_str());
    if (old == INVALID_FILE_ATTRIBUTES && ErrnoOf(GetLastError()) != ENOENT) {
        return Failed(FileProblem::Unreadable);
    }
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (old != INVALID_FILE_ATTRIBUTES) {
        if (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
            return FileProblem::Unreadable;
        // A file marked read-only is the operator's word that it must not change.
        if (old & FILE_ATTRIBUTE_READONLY) return FileProblem::ReadOnly;
        // The new content keeps what the operator set on the file.
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (old & kKept) attributes = old & kKept;
    }
    std::filesystem::path temporary;
    FileHandle file(CreateTemporary(followed, attributes, temporary), FileStep::CloseTemporary);
    if (!file) return RefusesWrites(errno) ? FileProblem::ReadOnly : FileProblem::NotWritten;
    bool written = true;
    for (std::size_t at = 0; written && at < bytes.size(); at += kChunk) {
        written = Write(FileStep::WriteTemporary, file.get(), bytes.substr(at, kChunk), nullptr);
    }
    written = written && Flush(FileStep::FlushTemporary, file.get());
    written = file.close() && written;
    // NTFS renames within a folder atomically; write-through makes the rename itself durable.
    if (!written || !Rename(temporary, followed)) {
        RemoveFile(FileStep::RemoveTemporary, temporary);
        return FileProblem::NotWritten;
    }
    return FileProblem::None;
}

}  // namespace durava::store
