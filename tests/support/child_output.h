// SPDX-License-Identifier: MIT
#pragma once
// The helper program's side of ChildProcess: what it tells goes out on standard output.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace durava::testing {

// Lines go out as written: Windows would add a CR to each, and the test matches whole lines.
inline void TellLinesAsWritten() {
#ifdef _WIN32
    _setmode(1, _O_BINARY);
#endif
}

}  // namespace durava::testing
