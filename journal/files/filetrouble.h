// SPDX-License-Identifier: MIT
#pragma once
// What stands where one of the files in the Durava folder should be, when it cannot be used: one
// answer for the journal's files and our others, for the message that names the file.
#include <filesystem>

namespace durava::journal {

enum class FileState {
    Ok,
    Missing,
    Unreadable,  // no rights, a failing disk
    NotAFile,    // a FIFO or a device in its place
    Folder,      // a folder in its place
    ReadOnly,    // it reads, but no change to it can be saved
    Damaged,     // it reads, but not as we write it: edited by hand or by something else
    NotWritten,  // the disk refused a change: full, failing, or the folder is protected
    KeyBehind,   // the key file is older than the journal: copied back from an earlier day
};

// One of the files and what is wrong with it, for a message that names it.
struct FileTrouble {
    std::filesystem::path file;
    FileState state = FileState::Ok;
    bool operator==(const FileTrouble&) const = default;
};

// What stands at `file`: Ok for a regular file; Unreadable when the look itself failed.
FileState WhatStandsThere(const std::filesystem::path& file);
// A file marked read-only is the owner's word that it must not change, whoever runs the program.
// The mode answers on both platforms and for every user, where a trial write would need rights
// that an administrator always has.
bool MarkedReadOnly(const std::filesystem::path& file);

}  // namespace durava::journal
