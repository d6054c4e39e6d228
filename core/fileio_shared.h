#pragma once
// What the platforms' file layers share beyond the interface of core/fileio.h.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace durava::core {

// A new name beside `target` for the content that replaces it, hidden, and no name an operator
// would choose: ".ROOMSETTING.ini.durava-k3x9q0aa.tmp".
std::filesystem::path TemporaryBeside(const std::filesystem::path& target);
// The file a path leads to: a symbolic link is followed to its target, so that replacing the
// file keeps the link.
std::filesystem::path FollowLinks(std::filesystem::path path);
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

}  // namespace durava::core
