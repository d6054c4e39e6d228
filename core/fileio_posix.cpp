// The file layer on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>

#include "core/fileio.h"
#include "core/fileio_faults.h"
#include "core/fileio_shared.h"

namespace durava::core {
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
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

bool StatOf(FileStep step, int fd, struct stat& info) {
    return !StepFails(step) && ::fstat(fd, &info) == 0;
}

ssize_t Read(int fd, char* buffer, std::size_t size) {
    return StepFails(FileStep::Read) ? -1 : ::read(fd, buffer, size);
}

ssize_t ReadAt(int fd, char* buffer, std::size_t size, off_t at) {
    return StepFails(FileStep::ReadEnd) ? -1 : ::pread(fd, buffer, size, at);
}

ssize_t Write(FileStep step, int fd, const char* bytes, std::size_t size) {
    if (StepFails(step)) {
        const int error = errno;
        // As a disk that fills up mid-write: part of the bytes land, then the error.
        [[maybe_unused]] const ssize_t torn = ::write(fd, bytes, size / 2);
        errno = error;
        return -1;
    }
    return ::write(fd, bytes, size);
}

bool ChangeMode(int fd, mode_t mode) {
    return !StepFails(FileStep::SetMode) && ::fchmod(fd, mode) == 0;
}

bool Sync(FileStep step, int fd) {
    return !StepFails(step) && ::fsync(fd) == 0;
}

bool SyncData(int fd) {
    return !StepFails(FileStep::FlushChange) && ::fdatasync(fd) == 0;
}

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    return !StepFails(FileStep::Rename) && ::rename(from.c_str(), to.c_str()) == 0;
}

void Remove(const std::filesystem::path& path) {
    if (!StepFails(FileStep::RemoveTemporary)) ::unlink(path.c_str());
}

bool Truncate(int fd, off_t size) {
    return !StepFails(FileStep::Truncate) && ::ftruncate(fd, size) == 0;
}

// The descriptor is released even when closing reports an error, as on Linux.
bool Close(FileStep step, int fd) {
    const bool closed = ::close(fd) == 0;
    return !StepFails(step) && closed;
}

class FileHandle {
  public:
    // `closing` is the step that closing it serves.
    FileHandle(int fd, FileStep closing) : m_fd(fd), m_closing(closing) {}
    ~FileHandle() {
        if (m_fd >= 0) Close(m_closing, m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    // Closing can report a deferred write error, so writers check it.
    bool close() {
        int fd = m_fd;
        m_fd = -1;
        return Close(m_closing, fd);
    }

  private:
    int m_fd;
    FileStep m_closing;
};

bool WriteAll(FileStep step, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = Write(step, fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool StatPath(const std::filesystem::path& path, struct stat& info) {
    return !StepFails(FileStep::Look) && ::stat(path.c_str(), &info) == 0;
}

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

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

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    // Without O_NONBLOCK, a FIFO in the file's place would hold the window thread for good.
    FileHandle file(Open(FileStep::OpenToRead, path, O_RDONLY | O_NONBLOCK), FileStep::Read);
    struct stat info;
    if (!file || !StatOf(FileStep::StatToRead, file.get(), info) || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return ReadUntilEnd(static_cast<std::size_t>(info.st_size),
                        [&](char* buffer, std::size_t size) {
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
    if (!file) return FileProblem::NotWritten;
    bool written = (!exists || ChangeMode(file.get(), old.st_mode & 07777)) &&
                   WriteAll(FileStep::WriteTemporary, file.get(), bytes) &&
                   Sync(FileStep::FlushTemporary, file.get());
    written = file.close() && written;
    if (!written || !Rename(temporary, target)) {
        Remove(temporary);
        return FileProblem::NotWritten;
    }
    // Make the rename itself durable.
    FileHandle folder(Open(FileStep::FlushFolder, FolderOf(target), O_RDONLY | O_DIRECTORY),
                      FileStep::FlushFolder);
    if (folder) Sync(FileStep::FlushFolder, folder.get());
    return FileProblem::None;
}

bool AppendToFile(const std::filesystem::path& path, std::string_view bytes,
                  std::string_view lineBreak) {
    FileHandle file(
        Open(FileStep::OpenToChange, path, O_RDWR | O_CREAT | O_APPEND | O_NONBLOCK, 0666),
        FileStep::CloseChange);
    struct stat info;
    if (!file || !StatOf(FileStep::StatToChange, file.get(), info) || !S_ISREG(info.st_mode))
        return false;
    std::string line;
    if (info.st_size > 0) {
        // A last line without the whole line break, a bare LF too, gets one first.
        const auto tail = static_cast<off_t>(std::min<std::size_t>(lineBreak.size(), info.st_size));
        std::string last(static_cast<std::size_t>(tail), '\0');
        if (ReadAt(file.get(), last.data(), last.size(), info.st_size - tail) != tail) return false;
        if (last != lineBreak) line = lineBreak;
    }
    line += bytes;
    if (!WriteAll(FileStep::Append, file.get(), line) || !SyncData(file.get())) {
        // Leave no torn record behind: a later append would run on from it.
        if (Truncate(file.get(), info.st_size)) SyncData(file.get());
        return false;
    }
    // Flushed, the bytes are in the file: calling a failed close a failed append would have the
    // caller write them a second time.
    file.close();
    return true;
}

bool RemoveTail(const std::filesystem::path& path, std::string_view tail) {
    FileHandle file(Open(FileStep::OpenToChange, path, O_RDWR | O_NONBLOCK), FileStep::CloseChange);
    struct stat info;
    if (!file || !StatOf(FileStep::StatToChange, file.get(), info) || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) < tail.size()) {
        return false;
    }
    const off_t start = info.st_size - static_cast<off_t>(tail.size());
    std::string found(tail.size(), '\0');
    if (ReadAt(file.get(), found.data(), found.size(), start) !=
            static_cast<ssize_t>(found.size()) ||
        found != tail) {
        return false;
    }
    if (!Truncate(file.get(), start) || !SyncData(file.get())) return false;
    file.close();
    return true;
}

}  // namespace durava::core
