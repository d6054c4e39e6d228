// SPDX-License-Identifier: MIT
#pragma once
// What a power cut leaves of a recording of the file layer (powercut.h). A file's data is durable
// once the file is flushed; a name made, renamed or removed in a folder, once the folder is. Each
// cut may keep more than that, so each yields several states: only what was durable; besides it
// every name not yet durable (a file with none of its data, or part), or one such name alone; each
// with the data not yet flushed lost, kept, or kept torn at a 4 KiB or sector boundary, half way
// or short of its last byte. A name whose folder was lost is lost with it.
#include <cstddef>
#include <vector>

#include "store/powercut/powercut.h"

namespace durava::store {

// The states a cut after the first `changes` changes may leave, each once.
std::vector<FolderState> StatesAfterCut(const DiskRecording& recording, std::size_t changes);

}  // namespace durava::store
