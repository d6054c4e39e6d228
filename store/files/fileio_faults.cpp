// SPDX-License-Identifier: MIT
#include "store/files/fileio_faults.h"

#include <cerrno>
#include <iterator>

namespace durava::store {
namespace {

constexpr int kStepCount = static_cast<int>(std::size(kFileSteps));
int g_failing[kStepCount] = {};  // errno to fail with, 0 for none
bool g_armed = false;
int g_injected = 0;

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
        "remove appended",
        "create folder",
        "remove folder",
        "overwrite",
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

bool StepFails(FileStep step) {
    if (!g_armed) [[likely]]
        return false;
    const int error = g_failing[static_cast<int>(step)];
    if (error == 0) return false;
    errno = error;
    ++g_injected;
    return true;
}

}  // namespace durava::store
