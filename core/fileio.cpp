#include "core/fileio.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "core/codepage.h"
#include "core/fileio_faults.h"

namespace durava::core {
namespace {

constexpr int kStepCount = static_cast<int>(std::size(kFileSteps));
int g_failing[kStepCount] = {};  // errno to fail with, 0 for none
bool g_armed = false;
int g_injected = 0;

// True when a test chose this step to fail; errno then holds the chosen error.
bool Fails(FileStep step) {
    if (!g_armed) [[likely]]
        return false;
    const int error = g_failing[static_cast<int>(step)];
    if (error == 0) return false;
    errno = error;
    ++g_injected;
    return true;
}

// Every system call of the file layer goes through one of these, named by the step it serves, so
// that tests reach each one.
int Open(FileStep step, const std::string& path, int flags, mode_t mode = 0) {
    if (Fails(step)) return -1;
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int OpenTemporary(std::string& pattern) {
    if (Fails(FileStep::CreateTemporary)) return -1;
    return ::mkostemp(pattern.data(), O_CLOEXEC);
}

bool StatOf(FileStep step, int fd, struct stat& info) {
    return !Fails(step) && ::fstat(fd, &info) == 0;
}

ssize_t Read(int fd, char* buffer, std::size_t size) {
    return Fails(FileStep::Read) ? -1 : ::read(fd, buffer, size);
}

ssize_t ReadAt(int fd, char* buffer, std::size_t size, off_t at) {
    return Fails(FileStep::ReadEnd) ? -1 : ::pread(fd, buffer, size, at);
}

ssize_t Write(FileStep step, int fd, const char* bytes, std::size_t size) {
    if (Fails(step)) {
        const int error = errno;
        // As a disk that fills up mid-write: part of the bytes land, then the error.
        [[maybe_unused]] const ssize_t torn = ::write(fd, bytes, size / 2);
        errno = error;
        return -1;
    }
    return ::write(fd, bytes, size);
}

bool ChangeMode(int fd, mode_t mode) {
    return !Fails(FileStep::SetMode) && ::fchmod(fd, mode) == 0;
}

bool Sync(FileStep step, int fd) {
    return !Fails(step) && ::fsync(fd) == 0;
}

bool SyncData(int fd) {
    return !Fails(FileStep::FlushChange) && ::fdatasync(fd) == 0;
}

bool Rename(const std::string& from, const std::string& to) {
    return !Fails(FileStep::Rename) && ::rename(from.c_str(), to.c_str()) == 0;
}

void Remove(const std::string& path) {
    if (!Fails(FileStep::RemoveTemporary)) ::unlink(path.c_str());
}

bool Truncate(int fd, off_t size) {
    return !Fails(FileStep::Truncate) && ::ftruncate(fd, size) == 0;
}

// The descriptor is released even when closing reports an error, as on Linux.
bool Close(FileStep step, int fd) {
    const bool closed = ::close(fd) == 0;
    return !Fails(step) && closed;
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

std::string Native(std::string_view path) {
    return NativePath(path).string();
}

}  // namespace

const char* FileStepName(FileStep step) {
    static constexpr const char* kNames[] = {
        "look",
        "open to read",
        "stat to read",
        "read",
        "create temporary",
        "set mode",
        "write temporary",
        "flush temporary",
        "close temporary",
        "rename",
        "remove temporary",
        "flush folder",
        "open to change",
        "stat to change",
        "read end",
        "append",
        "truncate",
        "flush change",
        "close change",
    };
    static_assert(std::size(kNames) == std::size(kFileSteps));
    return kNames[static_cast<int>(step)];
}

void FailFileStep(FileStep step, int errnoValue) {
    g_failing[static_cast<int>(step)] = errnoValue;
    g_armed = true;
}

void ClearFileFaults() {
    for (int& error : g_failing) error = 0;
    g_armed = false;
}

int InjectedFileFaults() {
    return g_injected;
}

bool StatNative(const std::string& nativePath, struct stat& info) {
    return !Fails(FileStep::Look) && ::stat(nativePath.c_str(), &info) == 0;
}

std::optional<std::string> ReadWholeFile(std::string_view path) {
    FileHandle file(Open(FileStep::OpenToRead, Native(path), O_RDONLY), FileStep::Read);
    struct stat info;
    if (!file || !StatOf(FileStep::StatToRead, file.get(), info) || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::string bytes;
    // One byte to spare, so that the read that meets the end needs no larger buffer; the file may
    // still grow or shrink while it is read, so read until the end it has now.
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
        ssize_t got = Read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

bool ReplaceFile(std::string_view path, std::string_view bytes) {
    const std::string target = Native(path);
    std::string temporary = target + ".XXXXXX";
    FileHandle file(OpenTemporary(temporary), FileStep::CloseTemporary);
    if (!file) return false;
    struct stat old;
    const bool exists = StatNative(target, old);
    // A file that cannot be looked at must not lose its mode to the default.
    bool written = (exists || errno == ENOENT) &&
                   ChangeMode(file.get(), exists ? (old.st_mode & 07777) : 0644) &&
                   WriteAll(FileStep::WriteTemporary, file.get(), bytes) &&
                   Sync(FileStep::FlushTemporary, file.get());
    written = file.close() && written;
    if (!written || !Rename(temporary, target)) {
        Remove(temporary);
        return false;
    }
    // Make the rename itself durable.
    std::string folder = NativePath(path).parent_path().string();
    FileHandle directory(
        Open(FileStep::FlushFolder, folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY),
        FileStep::FlushFolder);
    if (directory) Sync(FileStep::FlushFolder, directory.get());
    return true;
}

void RemoveLeftoverTemporaries(std::string_view path) {
    const std::filesystem::path target = NativePath(path);
    const std::string prefix = target.filename().string() + ".";
    std::error_code ignored;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        const std::string name = entry.path().filename().string();
        // mkostemp's six letters or digits after the name and a dot.
        const bool temporary =
            name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                        [](unsigned char c) { return std::isalnum(c); });
        if (temporary && entry.is_regular_file(ignored)) std::filesystem::remove(entry, ignored);
    }
}

bool AppendToFile(std::string_view path, std::string_view bytes, std::string_view lineBreak) {
    FileHandle file(Open(FileStep::OpenToChange, Native(path), O_RDWR | O_CREAT | O_APPEND, 0644),
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

bool RemoveTail(std::string_view path, std::string_view tail) {
    FileHandle file(Open(FileStep::OpenToChange, Native(path), O_RDWR), FileStep::CloseChange);
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

bool IsDirectory(std::string_view path) {
    struct stat info;
    return StatNative(Native(path), info) && S_ISDIR(info.st_mode);
}

bool IsFile(std::string_view path) {
    struct stat info;
    return StatNative(Native(path), info) && !S_ISDIR(info.st_mode);
}

}  // namespace durava::core
