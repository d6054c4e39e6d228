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

struct FaultPlan {
    int remaining = 0;
    int error = 0;
};
FaultPlan g_plans[kFileCallKinds];
bool g_armed = false;
int g_injected = 0;

// True when a test chose this call to fail; errno then holds the chosen error.
bool Fails(FileCall kind) {
    if (!g_armed) [[likely]]
        return false;
    FaultPlan& plan = g_plans[static_cast<int>(kind)];
    if (plan.remaining == 0 || --plan.remaining > 0) return false;
    errno = plan.error;
    ++g_injected;
    return true;
}

// Every system call of the file layer goes through one of these, so that tests reach each one.
int Open(const std::string& path, int flags, mode_t mode = 0) {
    if (Fails(FileCall::Open)) return -1;
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int OpenTemporary(std::string& pattern) {
    if (Fails(FileCall::Open)) return -1;
    return ::mkostemp(pattern.data(), O_CLOEXEC);
}

bool StatOf(int fd, struct stat& info) {
    return !Fails(FileCall::Stat) && ::fstat(fd, &info) == 0;
}

ssize_t Read(int fd, char* buffer, std::size_t size) {
    return Fails(FileCall::Read) ? -1 : ::read(fd, buffer, size);
}

ssize_t ReadAt(int fd, char* buffer, std::size_t size, off_t at) {
    return Fails(FileCall::Read) ? -1 : ::pread(fd, buffer, size, at);
}

ssize_t Write(int fd, const char* bytes, std::size_t size) {
    if (Fails(FileCall::Write)) {
        const int error = errno;
        // As a disk that fills up mid-write: part of the bytes land, then the error.
        [[maybe_unused]] const ssize_t torn = ::write(fd, bytes, size / 2);
        errno = error;
        return -1;
    }
    return ::write(fd, bytes, size);
}

bool ChangeMode(int fd, mode_t mode) {
    return !Fails(FileCall::Write) && ::fchmod(fd, mode) == 0;
}

bool Sync(int fd) {
    return !Fails(FileCall::Flush) && ::fsync(fd) == 0;
}

bool SyncData(int fd) {
    return !Fails(FileCall::Flush) && ::fdatasync(fd) == 0;
}

bool Rename(const std::string& from, const std::string& to) {
    return !Fails(FileCall::Rename) && ::rename(from.c_str(), to.c_str()) == 0;
}

void Remove(const std::string& path) {
    if (!Fails(FileCall::Rename)) ::unlink(path.c_str());
}

bool Truncate(int fd, off_t size) {
    return !Fails(FileCall::Truncate) && ::ftruncate(fd, size) == 0;
}

// The descriptor is released even when closing reports an error, as on Linux.
bool Close(int fd) {
    const bool closed = ::close(fd) == 0;
    return !Fails(FileCall::Close) && closed;
}

class FileHandle {
  public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle() {
        if (m_fd >= 0) Close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    // Closing can report a deferred write error, so writers check it.
    bool close() {
        int fd = m_fd;
        m_fd = -1;
        return Close(fd);
    }

  private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = Write(fd, bytes.data(), bytes.size());
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

void FailNthFileCall(FileCall kind, int n, int errnoValue) {
    g_plans[static_cast<int>(kind)] = {n, errnoValue};
    g_armed = true;
}

void ClearFileFaults() {
    for (FaultPlan& plan : g_plans) plan = {};
    g_armed = false;
}

int InjectedFileFaults() {
    return g_injected;
}

bool StatNative(const std::string& nativePath, struct stat& info) {
    return !Fails(FileCall::Stat) && ::stat(nativePath.c_str(), &info) == 0;
}

std::optional<std::string> ReadWholeFile(std::string_view path) {
    FileHandle file(Open(Native(path), O_RDONLY));
    struct stat info;
    if (!file || !StatOf(file.get(), info) || !S_ISREG(info.st_mode)) return std::nullopt;
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
    FileHandle file(OpenTemporary(temporary));
    if (!file) return false;
    struct stat old;
    const bool exists = StatNative(target, old);
    // A file that cannot be looked at must not lose its mode to the default.
    bool written = (exists || errno == ENOENT) &&
                   ChangeMode(file.get(), exists ? (old.st_mode & 07777) : 0644) &&
                   WriteAll(file.get(), bytes) && Sync(file.get());
    written = file.close() && written;
    if (!written || !Rename(temporary, target)) {
        Remove(temporary);
        return false;
    }
    // Make the rename itself durable.
    std::string folder = NativePath(path).parent_path().string();
    FileHandle directory(Open(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY));
    if (directory) Sync(directory.get());
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
    FileHandle file(Open(Native(path), O_RDWR | O_CREAT | O_APPEND, 0644));
    struct stat info;
    if (!file || !StatOf(file.get(), info) || !S_ISREG(info.st_mode)) return false;
    std::string line;
    if (info.st_size > 0) {
        // A last line without the whole line break, a bare LF too, gets one first.
        const auto tail = static_cast<off_t>(std::min<std::size_t>(lineBreak.size(), info.st_size));
        std::string last(static_cast<std::size_t>(tail), '\0');
        if (ReadAt(file.get(), last.data(), last.size(), info.st_size - tail) != tail) return false;
        if (last != lineBreak) line = lineBreak;
    }
    line += bytes;
    if (!WriteAll(file.get(), line) || !SyncData(file.get())) {
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
    FileHandle file(Open(Native(path), O_RDWR));
    struct stat info;
    if (!file || !StatOf(file.get(), info) || !S_ISREG(info.st_mode) ||
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
