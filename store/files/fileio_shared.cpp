// SPDX-License-Identifier: MIT
// What the file layer does the same way on every platform.
#include "store/files/fileio_shared.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <random>
#include <string_view>

#include "store/files/fileio.h"

namespace durava::store {
namespace {

constexpr std::string_view kTemporaryMark = ".durava-";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::size_t kTemporaryRandom = 8;
// A write takes milliseconds; a temporary file this young may belong to another copy's write.
constexpr auto kLeftoverAge = std::chrono::minutes(10);

// Compared in the file system's own characters, so that no name needs converting.
bool IsTemporaryOf(const std::filesystem::path& name, const std::filesystem::path& fileName) {
    std::filesystem::path prefix = ".";
    prefix += fileName;
    prefix += kTemporaryMark;
    const auto& whole = name.native();
    const auto& start = prefix.native();
    const std::filesystem::path end(kTemporaryEnd);
    if (whole.size() != start.size() + kTemporaryRandom + end.native().size() ||
        !whole.starts_with(start) || !whole.ends_with(end.native())) {
        return false;
    }
    return std::all_of(whole.begin() + static_cast<std::ptrdiff_t>(start.size()),
                       whole.end() - static_cast<std::ptrdiff_t>(end.native().size()),
                       [](auto c) { return c >= 0 && c < 0x80 && std::isalnum(c); });
}

}  // namespace

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::filesystem::path name = ".";
    name += target.filename();
    std::string mark(kTemporaryMark);
    for (std::size_t i = 0; i < kTemporaryRandom; ++i) mark += kAlphabet[pick(random)];
    name += mark + std::string(kTemporaryEnd);
    return target.parent_path() / name;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

bool RefusesWrites(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

void RemoveLeftoverTemporaries(const std::filesystem::path& path) {
    const std::filesystem::path target = FollowLinks(path);
    const auto youngest = std::filesystem::file_time_type::clock::now() - kLeftoverAge;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(FolderOf(target), ignored)) {
        if (!IsTemporaryOf(entry.path().filename(), target.filename()) ||
            !entry.is_regular_file(ignored) || entry.last_write_time(ignored) > youngest) {
            continue;
        }
        RemoveFile(FileStep::RemoveTemporary, entry.path());
    }
}

bool AppendToFile(const std::filesystem::path& path, std::string_view bytes,
                  std::string_view lineBreak) {
    FileHandle file(OpenToChange(path, true), FileStep::CloseChange);
    const std::optional<std::uint64_t> size = file ? SizeToChange(file.get()) : std::nullopt;
    if (!size) return false;
    std::string line;
    if (*size > 0) {
        // A last line without the whole line break, a bare LF too, gets one first; one whose
        // line break a crash cut short after its first byte gets the rest of it.
        std::string last(std::min<std::uint64_t>(lineBreak.size(), *size), '\0');
        if (!ReadAt(file.get(), last, *size - last.size())) return false;
        if (last.ends_with(lineBreak.front()) && lineBreak.size() > 1) {
            line = lineBreak.substr(1);
        } else if (last != lineBreak) {
            line = lineBreak;
        }
    }
    line += bytes;
    // A file found empty may have just been made, here or by an append that a power cut ended:
    // its name is durable only once its folder is flushed, and nothing may rely on its bytes
    // before that.
    if (!Append(file.get(), line) || !FlushChange(file.get()) ||
        (*size == 0 && !FlushFolder(FolderOf(path)))) {
        // Leave no torn record behind: a later append would run on from it.
        if (Truncate(file.get(), *size)) FlushChange(file.get());
        return false;
    }
    // Flushed, the bytes are in the file: calling a failed close a failed append would have the
    // caller write them a second time.
    file.close();
    return true;
}

bool TakeBackAppend(const std::filesystem::path& path, std::optional<std::uint64_t> sizeBefore,
                    std::string_view tail) {
    // A file the append made holds nothing else; it goes as durably as it came.
    if (!sizeBefore) {
        return RemoveFile(FileStep::RemoveAppended, path) && FlushFolder(FolderOf(path));
    }
    FileHandle file(OpenToChange(path, false), FileStep::CloseChange);
    const std::optional<std::uint64_t> size = file ? SizeToChange(file.get()) : std::nullopt;
    if (!size || *size < *sizeBefore + tail.size()) return false;
    std::string found(tail.size(), '\0');
    if (!ReadAt(file.get(), found, *size - tail.size()) || found != tail) return false;
    if (!Truncate(file.get(), *sizeBefore) || !FlushChange(file.get())) return false;
    file.close();
    return true;
}

FileProblem OverwriteFile(const std::filesystem::path& path, std::string_view bytes) {
    FileHandle file(OpenToChange(path, false), FileStep::CloseChange);
    if (!file) {
        if (errno == ENOENT) return ReplaceFile(path, bytes);
        return RefusesWrites(errno) ? FileProblem::ReadOnly : FileProblem::Unreadable;
    }
    const std::optional<std::uint64_t> size = SizeToChange(file.get());
    if (!size) return FileProblem::Unreadable;
    if (!WriteAt(file.get(), bytes, 0) ||
        (*size > bytes.size() && !Truncate(file.get(), bytes.size())) || !FlushChange(file.get())) {
        return FileProblem::NotWritten;
    }
    // Flushed, the bytes are in the file, as after an append.
    file.close();
    return FileProblem::None;
}

std::optional<std::string> ReadFileEnd(const std::filesystem::path& path, std::size_t count) {
    FileHandle file(OpenToRead(path), FileStep::Read);
    const std::optional<std::uint64_t> size = file ? SizeToRead(file.get()) : std::nullopt;
    if (!size) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(count, *size)), '\0');
    if (!bytes.empty() && !ReadAt(file.get(), bytes, *size - bytes.size())) return std::nullopt;
    return bytes;
}

bool IsDirectory(const std::filesystem::path& path) {
    const std::optional<FileLook> look = LookAt(path);
    return look && look->directory;
}

}  // namespace durava::store
