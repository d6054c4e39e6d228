#pragma once
// A test seam in the file layer: tests make one chosen system call fail, as a full, read-only or
// failing disk would, and prove that the stores stay whole. Disarmed, it costs one branch per call.
// Not thread-safe: arm and clear it only while no other thread touches files.

namespace durava::core {

enum class FileCall {
    Open,      // open, mkostemp
    Stat,      // stat, fstat
    Read,      // read, pread
    Write,     // write (stores the first half of its bytes, then fails: a torn write), fchmod
    Flush,     // fsync, fdatasync
    Rename,    // rename, unlink
    Truncate,  // ftruncate
    Close,     // close
};
inline constexpr int kFileCallKinds = 8;

// The n-th call of `kind` from now on (1 = the next one) fails with `errnoValue`; every other call
// runs normally. Each kind holds one such plan; arming it again replaces it.
void FailNthFileCall(FileCall kind, int n, int errnoValue);
// Disarms every plan.
void ClearFileFaults();
// Failures injected since the program started.
int InjectedFileFaults();

}  // namespace durava::core
