// SPDX-License-Identifier: MIT
#pragma once
// A test seam in the file layer: tests make one step of the file layer fail, as a full, read-only
// or failing disk would, and prove that the stores stay whole. A failing step fails every time it
// is reached until the faults are cleared, so what a test breaks does not depend on how often
// other code happened to look at the disk first. Disarmed, it costs one branch per call.
// Not thread-safe: arm and clear it only while no other thread touches files.

namespace durava::store {

enum class FileStep {
    Look,        // stat of a path: a file's signature, IsDirectory
    OpenToRead,  // reading a whole file
    StatToRead,
    Read,
    CreateTemporary,  // replacing a whole file through a temporary one
    SetMode,
    WriteTemporary,  // stores the first half of its bytes, then fails: a torn write
    FlushTemporary,
    CloseTemporary,
    Rename,
    RemoveTemporary,
    FlushFolder,
    OpenToChange,  // appending to a file or cutting its end off
    StatToChange,
    ReadEnd,
    Append,  // stores the first half of its bytes, then fails: a torn write
    Truncate,
    FlushChange,
    CloseChange,
    RemoveAppended,  // taking back an append that made the file
    CreateFolder,
    RemoveFolder,  // taking back a folder that a power cut could lose
    Overwrite,     // stores the first half of its bytes, then fails: a torn record
};

inline constexpr FileStep kFileSteps[] = {
    FileStep::Look,           FileStep::OpenToRead,      FileStep::StatToRead,
    FileStep::Read,           FileStep::CreateTemporary, FileStep::SetMode,
    FileStep::WriteTemporary, FileStep::FlushTemporary,  FileStep::CloseTemporary,
    FileStep::Rename,         FileStep::RemoveTemporary, FileStep::FlushFolder,
    FileStep::OpenToChange,   FileStep::StatToChange,    FileStep::ReadEnd,
    FileStep::Append,         FileStep::Truncate,        FileStep::FlushChange,
    FileStep::CloseChange,    FileStep::RemoveAppended,  FileStep::CreateFolder,
    FileStep::RemoveFolder,   FileStep::Overwrite,
};

const char* FileStepName(FileStep step);

// Every call of `step` from now on fails with `errnoValue`, until ClearFileFaults.
void FailFileStep(FileStep step, int errnoValue);
// Disarms every step.
void ClearFileFaults();
// Failures injected since the program started.
int InjectedFileFaults();

// For the file layer at each step: true when a test chose the step to fail; errno then holds the
// chosen error.
bool StepFails(FileStep step);

}  // namespace durava::store
