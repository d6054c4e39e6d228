#include "core/fileio.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/codepage.h"

namespace durava::core {
namespace {

class FileHandle {
  public:
    explicit FileHandle(int fd) : m_fd(fd) {}
    ~FileHandle() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    // Closing can report a deferred write error, so writers check it.
    bool close() {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

  private:
    int m_fd;
};

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
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

std::optional<std::string> ReadWholeFile(std::string_view path) {
    FileHandle file(OpenRetrying(Native(path), O_RDONLY));
    struct stat info;
    if (!file || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    // The file may grow or shrink while it is read; read until the end it has now.
    for (;;) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
        ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
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
    FileHandle file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file) return false;
    struct stat old;
    mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    bool written =
        ::fchmod(file.get(), mode) == 0 && WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (!file.close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable.
    std::string folder = NativePath(path).parent_path().string();
    FileHandle directory(OpenRetrying(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY));
    if (directory) ::fsync(directory.get());
    return true;
}

bool AppendToFile(std::string_view path, std::string_view bytes, std::string_view lineBreak) {
    FileHandle file(OpenRetrying(Native(path), O_RDWR | O_CREAT | O_APPEND, 0644));
    struct stat info;
    if (!file || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::string line;
    char last = '\n';
    if (info.st_size > 0 && ::pread(file.get(), &last, 1, info.st_size - 1) != 1) return false;
    if (last != '\n') line = lineBreak;
    line += bytes;
    if (!WriteAll(file.get(), line) || ::fdatasync(file.get()) != 0) {
        // Leave no torn record behind: a later append would run on from it.
        if (::ftruncate(file.get(), info.st_size) == 0) ::fdatasync(file.get());
        return false;
    }
    return file.close();
}

bool RemoveTail(std::string_view path, std::string_view tail) {
    FileHandle file(OpenRetrying(Native(path), O_RDWR));
    struct stat info;
    if (!file || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) < tail.size()) {
        return false;
    }
    const off_t start = info.st_size - static_cast<off_t>(tail.size());
    std::string found(tail.size(), '\0');
    if (::pread(file.get(), found.data(), found.size(), start) !=
            static_cast<ssize_t>(found.size()) ||
        found != tail) {
        return false;
    }
    return ::ftruncate(file.get(), start) == 0 && ::fdatasync(file.get()) == 0 && file.close();
}

bool IsDirectory(std::string_view path) {
    struct stat info;
    return ::stat(Native(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(std::string_view path) {
    struct stat info;
    return ::stat(Native(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace durava::core
