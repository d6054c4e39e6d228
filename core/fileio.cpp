#include "core/fileio.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include <fcntl.h>
#include <unistd.h>

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
int Open(FileStep step, const std::filesystem::path& path, int flags, mode_t mode = 0) {
    if (Fails(step)) return -1;
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// A new file under a name of our own, never an existing one; the umask decides its mode.
int OpenTemporary(const std::filesystem::path& path) {
    if (Fails(FileStep::CreateTemporary)) return -1;
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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

bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    return !Fails(FileStep::Rename) && ::rename(from.c_str(), to.c_str()) == 0;
}

void Remove(const std::filesystem::path& path) {
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

constexpr std::string_view kTemporaryMark = ".durava-";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::size_t kTemporaryRandom = 8;
// A write takes milliseconds; a temporary file this young may belong to another copy's write.
constexpr auto kLeftoverAge = std::chrono::minutes(10);

// ".ROOMSETTING.ini.durava-k3x9q0aa.tmp": hidden, and no name an operator would choose.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string name = "." + target.filename().string();
    name += kTemporaryMark;
    for (std::size_t i = 0; i < kTemporaryRandom; ++i) name += kAlphabet[pick(random)];
    name += kTemporaryEnd;
    return target.parent_path() / name;
}

bool IsTemporaryOf(const std::string& name, const std::string& fileName) {
    const std::string prefix = "." + fileName + std::string(kTemporaryMark);
    if (name.size() != prefix.size() + kTemporaryRandom + kTemporaryEnd.size() ||
        !name.starts_with(prefix) || !name.ends_with(kTemporaryEnd)) {
        return false;
    }
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                       name.end() - static_cast<std::ptrdiff_t>(kTemporaryEnd.size()),
                       [](unsigned char c) { return std::isalnum(c); });
}

// The file a path leads to: a symbolic link is followed to its target, so that replacing the
// file keeps the link.
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

// The folder whose entry changes when `file` is renamed into place.
std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
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

bool StatPath(const std::filesystem::path& path, struct stat& info) {
    return !Fails(FileStep::Look) && ::stat(path.c_str(), &info) == 0;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    // Without O_NONBLOCK, a FIFO in the file's place would hold the window thread for good.
    FileHandle file(Open(FileStep::OpenToRead, path, O_RDONLY | O_NONBLOCK), FileStep::Read);
    struct stat info;
    if (!file || !StatOf(FileStep::StatToRead, file.get(), info) || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
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

FileProblem ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path target = FollowLinks(path);
    struct stat old;
    const bool exists = StatPath(target, old);
    // A file that cannot be looked at must not lose its mode to the default.
    if (!exists && errno != ENOENT) return FileProblem::Unreadable;
    if (exists) {
        if (!S_ISREG(old.st_mode)) return FileProblem::Unreadable;
        // The platform's profile functions leave a read-only file alone; the rename would not.
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

void RemoveLeftoverTemporaries(const std::filesystem::path& path) {
    const std::filesystem::path target = FollowLinks(path);
    const std::string fileName = target.filename().string();
    const auto youngest = std::filesystem::file_time_type::clock::now() - kLeftoverAge;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(FolderOf(target), ignored)) {
        if (!IsTemporaryOf(entry.path().filename().string(), fileName) ||
            !entry.is_regular_file(ignored) || entry.last_write_time(ignored) > youngest) {
            continue;
        }
        std::filesystem::remove(entry, ignored);
    }
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

bool IsDirectory(const std::filesystem::path& path) {
    struct stat info;
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

bool IsFile(const std::filesystem::path& path) {
    struct stat info;
    return StatPath(path, info) && !S_ISDIR(info.st_mode);
}

}  // namespace durava::core
