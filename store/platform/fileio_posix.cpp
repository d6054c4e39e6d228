// SPDX-License-Identifier: MIT
// The file layer on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "store/files/fileio.h"
#include "store/files/fileio_faults.h"
#include "store/files/fileio_shared.h"
#include "store/powercut/powercut.h"

namespace durava::store {
namespace {

// Every system call of the file layer goes through one of these, named by the step it serves, so
// that tests reach each one.
int Open(FileStep step, const std::filesystem::path& path, int flags, mode_t mode = 0) {
    if (StepFails(step)) return -1;
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// A new file under a name of our own, never an existing one; the umask decides its mode.
int OpenTemporary(const std::filesystem::path& path) {
    if (StepFails(FileStep::CreateTemporary)) return -1;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) NoteOpened(fd, path);
    return fd;
}

bool StatOf(FileStep step, int fd, struct stat& info) {
    return !StepFails(step) && ::fstat(fd, &info) == 0;
}

ssize_t Read(int fd, char* buffer, std::size_t size) {
    return StepFails(FileStep::Read) ? -1 : ::read(fd, buffer, size);
}

bool ChangeMode(int fd, mode_t mode) {
    return !StepFails(FileStep::SetMode) && ::fchmod(fd, mode) == 0;
}

bool Sync(FileStep step, int fd) {
    if (StepFails(step) || ::fsync(fd) != 0) return false;
    NoteFileFlushed(fd);
    return true;
}

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (StepFails(FileStep::Rename) || ::rename(from.c_str(), to.c_str()) != 0) return false;
    NoteRenamed(from, to);
    return true;
}

bool WriteAll(FileStep step, int fd, std::string_view bytes) {
    return WriteOrTear(step, bytes, [fd](std::string_view rest) {
        while (!rest.empty()) {
            const ssize_t written = ::write(fd, rest.data(), rest.size());
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            NoteWritten(fd, rest.substr(0, static_cast<std::size_t>(written)));
            rest.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    });
}

bool StatPath(const std::filesystem::path& path, struct stat& info) {
    return !StepFails(FileStep::Look) && ::stat(path.c_str(), &info) == 0;
}

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

const NativeFile kNoFile = -1;

// As on Linux, the descriptor is gone even when closing reports an error.
bool Close(FileStep step, int fd) {
    NoteClosed(fd);
    const bool closed = ::close(fd) == 0;
    return !StepFails(step) && closed;
}

std::filesystem::path FollowLinks(std::filesystem::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) break;
        std::filesystem::path next = std::filesystem::read_symlink(path, error);
        if (error) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

int OpenToChange(const std::filesystem::path& path, bool create) {
    const int fd = Open(FileStep::OpenToChange, path,
                        O_RDWR | O_NONBLOCK | (create ? O_CREAT | O_APPEND : 0), 0666);
    if (fd >= 0) NoteOpened(fd, path);
    return fd;
}

std::optional<std::uint64_t> SizeToChange(int fd) {
    struct stat info;
    if (!StatOf(FileStep::StatToChange, fd, info) || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

bool ReadAt(int fd, std::string& bytes, std::uint64_t offset) {
    return !StepFails(FileStep::ReadEnd) &&
           ::pread(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) ==
               static_cast<ssize_t>(bytes.size());
}

bool Append(int fd, std::string_view bytes) {
    return WriteAll(FileStep::Append, fd, bytes);
}

bool WriteAt(int fd, std::string_view bytes, std::uint64_t offset) {
    return WriteOrTear(FileStep::Overwrite, bytes, [&](std::string_view rest) {
        while (!rest.empty()) {
            const ssize_t written =
                ::pwrite(fd, rest.data(), rest.size(), static_cast<off_t>(offset));
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            rest.remove_prefix(static_cast<std::size_t>(written));
            offset += static_cast<std::uint64_t>(written);
        }
        return true;
    });
}

bool Truncate(int fd, std::uint64_t size) {
    if (StepFails(FileStep::Truncate) || ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        return false;
    }
    NoteTruncated(fd, size);
    return true;
}

bool FlushChange(int fd) {
    if (StepFails(FileStep::FlushChange) || ::fdatasync(fd) != 0) return false;
    NoteFileFlushed(fd);
    return true;
}

bool RemoveFile(FileStep step, const std::filesystem::path& path) {
    if (StepFails(step) || ::unlink(path.c_str()) != 0) return false;
    NoteRemoved(path);
    return true;
}

bool CreateFolder(const std::filesystem::path& path) {
    if (StepFails(FileStep::CreateFolder) || ::mkdir(path.c_str(), 0777) != 0) return false;
    NoteFolderCreated(path);
    return true;
}

bool RemoveFolder(const std::filesystem::path& path) {
    if (StepFails(FileStep::RemoveFolder) || ::rmdir(path.c_str()) != 0) return false;
    NoteRemoved(path);
    return true;
}

bool FlushFolder(const std::filesystem::path& folder) {
    FileHandle handle(Open(FileStep::FlushFolder, folder, O_RDONLY | O_DIRECTORY),
                      FileStep::FlushFolder);
    // A file system that cannot flush a folder (EINVAL) offers nothing stronger.
    if (!handle || StepFails(FileStep::FlushFolder) ||
        (::fsync(handle.get()) != 0 && errno != EINVAL)) {
        return false;
    }
    NoteFolderFlushed(folder);
    return true;
}

std::optional<FileLook> LookAt(const std::filesystem::path& path) {
    struct stat info;
    if (!StatPath(path, info)) return std::nullopt;
    return FileLook{S_ISDIR(info.st_mode),
                    static_cast<std::uint64_t>(info.st_dev),
                    static_cast<std::uint64_t>(info.st_ino),
                    static_cast<std::uint64_t>(info.st_size),
                    Nanoseconds(info.st_mtim),
                    Nanoseconds(info.st_ctim)};
}

int OpenToRead(const std::filesystem::path& path) {
    // Without O_NONBLOCK, a FIFO in the file's place would hold the window thread for good.
    return Open(FileStep::OpenToRead, path, O_RDONLY | O_NONBLOCK);
}

std::optional<std::uint64_t> SizeToRead(int fd) {
    struct stat info;
    if (!StatOf(FileStep::StatToRead, fd, info) || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    FileHandle file(OpenToRead(path), FileStep::Read);
    const std::optional<std::uint64_t> size = file ? SizeToRead(file.get()) : std::nullopt;
    if (!size) return std::nullopt;
    return ReadUntilEnd(static_cast<std::size_t>(*size), [&](char* buffer, std::size_t size) {
        ssize_t got;
        do {
            got = Read(file.get(), buffer, size);
        } while (got < 0 && errno == EINTR);
        return got;
    });
}

FileProblem ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path target = FollowLinks(path);
    struct stat old;
    const bool exists = StatPath(target, old);
    // A file that cannot be looked at must not lose its mode to the default.
    if (!exists && errno != ENOENT) return FileProblem::Unreadable;
    if (exists) {
        if (!S_ISREG(old.st_mode)) return FileProblem::Unreadable;
        // A file marked read-only is kept as it is, as on Windows; the rename would replace it.
        if ((old.st_mode & 0222) == 0 || (::access(target.c_str(), W_OK) != 0 && errno == EACCES)) {
            return FileProblem::ReadOnly;
        }
    }
    const std::filesystem::path temporary = TemporaryBeside(target);
    FileHandle file(OpenTemporary(temporary), FileStep::CloseTemporary);
    if (!file) return RefusesWrites(errno) ? FileProblem::ReadOnly : FileProblem::NotWritten;
    bool written = (!exists || ChangeMode(file.get(), old.st_mode & 07777)) &&
                   WriteAll(FileStep::WriteTemporary, file.get(), bytes) &&
                   Sync(FileStep::FlushTemporary, file.get());
    written = file.close() && written;
    if (!written || !Rename(temporary, target)) {
        RemoveFile(FileStep::RemoveTemporary, temporary);
        return FileProblem::NotWritten;
    }
    // Makes the rename itself durable. Every reader finds the new content from the rename on, so
    // a flush that fails now cannot be told as a write that did not land: a checkout would take
    // back the record of a use that the file shows ended.
    FlushFolder(FolderOf(target));
    return FileProblem::None;
}

}  // namespace durava::store
