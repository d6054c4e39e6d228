// SPDX-License-Identifier: MIT
#include "store/powercut/powercut_states.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>

namespace durava::store {
namespace {

// A file's data or a folder, under whichever names lead to it.
struct Node {
    bool folder = false;
    std::string written, flushed;
};

// Which node each path names.
using Names = std::map<std::string, std::size_t>;

std::optional<std::size_t> Find(const Names& names, const std::string& path) {
    const auto found = names.find(path);
    return found == names.end() ? std::nullopt : std::optional(found->second);
}

// The paths either map holds.
std::set<std::string> PathsOf(const Names& a, const Names& b) {
    std::set<std::string> paths;
    for (const Names* names : {&a, &b}) {
        for (const auto& entry : *names) paths.insert(entry.first);
    }
    return paths;
}

struct Disk {
    std::vector<Node> nodes;
    Names names, durable;  // as the folders hold them, and as their last flush left them

    explicit Disk(const FolderState& start) {
        for (const auto& [path, bytes] : start) {
            names[path] = durable[path] = Add(!bytes, bytes.value_or(std::string()));
        }
    }

    std::size_t Add(bool folder, const std::string& data = {}) {
        nodes.push_back({folder, data, data});
        return nodes.size() - 1;
    }

    void Apply(const DiskChange& change) {
        using Kind = DiskChange::Kind;
        switch (change.kind) {
            case Kind::CreateFile:
            case Kind::CreateFolder:
                names[change.path] = Add(change.kind == Kind::CreateFolder);
                return;
            case Kind::Rename:
                names[change.to] = names.at(change.path);
                names.erase(change.path);
                return;
            case Kind::Remove:
                names.erase(change.path);
                return;
            case Kind::FlushFolder:
                for (const std::string& path : PathsOf(names, durable)) {
                    if (FolderOfName(path) != change.path) continue;
                    if (const std::optional<std::size_t> node = Find(names, path)) {
                        durable[path] = *node;
                    } else {
                        durable.erase(path);
                    }
                }
                return;
            default:
                break;
        }
        Node& node = nodes[names.at(change.path)];
        if (change.kind == Kind::Write) {
            const std::size_t end = change.offset + change.bytes.size();
            if (node.written.size() < end) node.written.resize(end);
            node.written.replace(change.offset, change.bytes.size(), change.bytes);
        } else if (change.kind == Kind::Truncate) {
            node.written.resize(change.offset);
        } else {
            node.flushed = node.written;
        }
    }
};

// How much of the data written since the last flush a cut keeps.
enum class Keep { None, All, Page, Sector, Half, AllButOne };
constexpr Keep kKeeps[] = {Keep::None,   Keep::All,  Keep::Page,
                           Keep::Sector, Keep::Half, Keep::AllButOne};

std::string DataAfterCut(const Node& node, Keep keep) {
    const std::string &written = node.written, &flushed = node.flushed;
    if (keep == Keep::All) return written;
    // Only data added at the end can be torn: what lay before it stays as it was.
    if (keep == Keep::None || written.size() <= flushed.size() || !written.starts_with(flushed)) {
        return flushed;
    }
    const std::size_t last = written.size() - 1;
    std::size_t end = last;
    if (keep == Keep::Page) end = last / 4096 * 4096;
    if (keep == Keep::Sector) end = last / 512 * 512;
    if (keep == Keep::Half) end = flushed.size() + (written.size() - flushed.size()) / 2;
    return written.substr(0, std::max(end, flushed.size()));
}

FolderState Visible(const Disk& disk, const Names& names, Keep keep) {
    FolderState state;
    // A folder sorts before the names it holds.
    for (const auto& [path, index] : names) {
        const std::string folder = FolderOfName(path);
        if (!folder.empty()) {
            const auto parent = state.find(folder);
            if (parent == state.end() || parent->second) continue;
        }
        const Node& node = disk.nodes[index];
        state[path] = node.folder ? std::nullopt : std::optional(DataAfterCut(node, keep));
    }
    return state;
}

}  // namespace

std::vector<FolderState> StatesAfterCut(const DiskRecording& recording, std::size_t changes) {
    Disk disk(recording.start);
    for (std::size_t i = 0; i < changes; ++i) disk.Apply(recording.changes.at(i));
    std::vector<Names> kept{disk.durable, disk.names};
    for (const std::string& path : PathsOf(disk.names, disk.durable)) {
        const std::optional<std::size_t> now = Find(disk.names, path);
        if (now == Find(disk.durable, path)) continue;
        Names one = disk.durable;
        if (now) {
            one[path] = *now;
        } else {
            one.erase(path);
        }
        kept.push_back(std::move(one));
    }
    std::vector<FolderState> states;
    for (const Names& names : kept) {
        for (Keep keep : kKeeps) {
            FolderState state = Visible(disk, names, keep);
            if (std::find(states.begin(), states.end(), state) == states.end()) {
                states.push_back(std::move(state));
            }
        }
    }
    return states;
}

}  // namespace durava::store
