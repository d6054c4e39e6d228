// SPDX-License-Identifier: MIT
#pragma once
// A test seam in the file layer for power cuts: while it records, every change that the file layer
// makes under one folder is kept in order, from which a test works out what a power cut after any
// of them would leave (powercut_states.h). Only what the file layer does is seen, so every store
// written through it is covered. Disarmed, each step costs one branch.
// Not thread-safe: start and stop it only while no other thread touches files.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace durava::store {

struct DiskChange {
    enum class Kind {
        CreateFile,
        Write,
        Truncate,
        Rename,
        Remove,
        CreateFolder,
        FlushFile,    // makes the file's data durable
        FlushFolder,  // makes the names the folder holds durable: made, renamed or removed
    };
    Kind kind;
    std::string path;  // below the recorded folder, names joined by "/"; "" is the folder itself
    std::string to;    // a rename's new name
    std::uint64_t offset = 0;  // where a write starts; the size a truncation leaves
    std::string bytes;         // what a write stores
};

// Files and folders below a folder by path, names joined by "/"; a folder holds nothing.
using FolderState = std::map<std::string, std::optional<std::string>>;
// The folder of a path so written; "" for the recorded folder.
std::string FolderOfName(const std::string& path);

struct DiskRecording {
    FolderState start;
    std::vector<DiskChange> changes;
};

// Takes what the folder holds as the state a cut starts from, and records from now on.
void StartRecording(const std::filesystem::path& folder);
DiskRecording StopRecording();

// For the file layer, after each step that succeeded. A file opened to be changed is named by its
// handle from then on; opening may make it.
void NoteOpened(std::intptr_t handle, const std::filesystem::path& path);
void NoteClosed(std::intptr_t handle);
// Every write of the file layer goes to the end of its file.
void NoteWritten(std::intptr_t handle, std::string_view bytes);
void NoteTruncated(std::intptr_t handle, std::uint64_t size);
void NoteFileFlushed(std::intptr_t handle);
// A rename written through is durable at once, as if its folder was flushed after it.
void NoteRenamed(const std::filesystem::path& from, const std::filesystem::path& to,
                 bool writtenThrough = false);
void NoteRemoved(const std::filesystem::path& path);
void NoteFolderCreated(const std::filesystem::path& path);
void NoteFolderFlushed(const std::filesystem::path& path);

}  // namespace durava::store
