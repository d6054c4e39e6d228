// SPDX-License-Identifier: MIT
#include "store/powercut/powercut.h"

#include <memory>
#include <system_error>
#include <utility>

#include "store/files/fileio.h"

namespace durava::store {
namespace {

// One spelling per path, whatever form the file layer reached it by: "\\?\C:\x" is "C:/x".
std::string Generic(const std::filesystem::path& path) {
    std::string name = path.generic_string();
    if (name.starts_with("//?/")) name.erase(0, 4);
    name = std::filesystem::path(name).lexically_normal().generic_string();
    while (name.size() > 1 && name.ends_with('/')) name.pop_back();
    return name;
}

struct Recorder {
    // The folder as the test named it and as the file system names it, which links may change.
    std::vector<std::string> roots;
    DiskRecording recording;
    std::map<std::string, std::uint64_t> sizes;  // of the files there are now
    std::map<std::intptr_t, std::string> open;   // files opened to be changed, by handle

    std::optional<std::string> Below(const std::filesystem::path& path) const {
        const std::string name = Generic(path);
        for (const std::string& root : roots) {
            if (name == root) return std::string();
            if (name.starts_with(root + "/")) return name.substr(root.size() + 1);
        }
        return std::nullopt;
    }
    const std::string* Named(std::intptr_t handle) const {
        const auto found = open.find(handle);
        return found == open.end() ? nullptr : &found->second;
    }
    void Add(DiskChange::Kind kind, std::string path, std::string to = {}, std::uint64_t offset = 0,
             std::string bytes = {}) {
        recording.changes.push_back(
            {kind, std::move(path), std::move(to), offset, std::move(bytes)});
    }
};

std::unique_ptr<Recorder> g_recorder;

// A change named by its path alone.
void NoteAt(DiskChange::Kind kind, const std::filesystem::path& path) {
    Recorder* recorder = g_recorder.get();
    if (!recorder) [[likely]]
        return;
    if (const std::optional<std::string> name = recorder->Below(path)) {
        if (kind == DiskChange::Kind::Remove) recorder->sizes.erase(*name);
        recorder->Add(kind, *name);
    }
}

}  // namespace

std::string FolderOfName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void StartRecording(const std::filesystem::path& folder) {
    auto recorder = std::make_unique<Recorder>();
    recorder->roots = {Generic(folder), Generic(FollowLinks(folder))};
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored)) {
        const std::string name = recorder->Below(entry.path()).value_or(std::string());
        if (entry.is_directory(ignored)) {
            recorder->recording.start[name] = std::nullopt;
        } else if (std::optional<std::string> bytes = ReadWholeFile(entry.path())) {
            recorder->sizes[name] = bytes->size();
            recorder->recording.start[name] = std::move(bytes);
        }
    }
    g_recorder = std::move(recorder);
}

DiskRecording StopRecording() {
    DiskRecording recording = std::move(g_recorder->recording);
    g_recorder.reset();
    return recording;
}

void NoteOpened(std::intptr_t handle, const std::filesystem::path& path) {
    Recorder* recorder = g_recorder.get();
    if (!recorder) [[likely]]
        return;
    const std::optional<std::string> name = recorder->Below(path);
    if (!name) return;
    recorder->open[handle] = *name;
    if (recorder->sizes.try_emplace(*name, 0).second) {
        recorder->Add(DiskChange::Kind::CreateFile, *name);
    }
}

void NoteClosed(std::intptr_t handle) {
    if (Recorder* recorder = g_recorder.get()) [[unlikely]]
        recorder->open.erase(handle);
}

void NoteWritten(std::intptr_t handle, std::string_view bytes) {
    Recorder* recorder = g_recorder.get();
    if (!recorder) [[likely]]
        return;
    if (const std::string* name = recorder->Named(handle)) {
        std::uint64_t& size = recorder->sizes[*name];
        recorder->Add(DiskChange::Kind::Write, *name, {}, size, std::string(bytes));
        size += bytes.size();
    }
}

void NoteTruncated(std::intptr_t handle, std::uint64_t size) {
    Recorder* recorder = g_recorder.get();
    if (!recorder) [[likely]]
        return;
    if (const std::string* name = recorder->Named(handle)) {
        recorder->sizes[*name] = size;
        recorder->Add(DiskChange::Kind::Truncate, *name, {}, size);
    }
}

void NoteFileFlushed(std::intptr_t handle) {
    Recorder* recorder = g_recorder.get();
    if (!recorder) [[likely]]
        return;
    if (const std::string* name = recorder->Named(handle)) {
        recorder->Add(DiskChange::Kind::FlushFile, *name);
    }
}

void NoteRenamed(const std::filesystem::path& from, const std::filesystem::path& to,
                 bool writtenThrough) {
    Recorder* recorder = g_recorder.get();
    if (!recorder) [[likely]]
        return;
    const std::optional<std::string> source = recorder->Below(from), target = recorder->Below(to);
    if (!source || !target) return;
    recorder->sizes[*target] = recorder->sizes[*source];
    recorder->sizes.erase(*source);
    for (auto& [handle, name] : recorder->open) {
        if (name == *source) name = *target;
    }
    recorder->Add(DiskChange::Kind::Rename, *source, *target);
    if (writtenThrough) recorder->Add(DiskChange::Kind::FlushFolder, FolderOfName(*target));
}

void NoteRemoved(const std::filesystem::path& path) {
    NoteAt(DiskChange::Kind::Remove, path);
}

void NoteFolderCreated(const std::filesystem::path& path) {
    NoteAt(DiskChange::Kind::CreateFolder, path);
}

void NoteFolderFlushed(const std::filesystem::path& path) {
    NoteAt(DiskChange::Kind::FlushFolder, path);
}

}  // namespace durava::store
