#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Durava with its tests and runs every test: under the
# sanitizers, then a short fuzz run, then the Qt-free code built for Windows under Wine, then the
# debug build.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j2
# Every fuzz target for a short while.
tools/fuzz.sh 20
# The Qt-free code as a Windows program, its tests under Wine.
cmake --preset mingw >/dev/null
cmake --build --preset mingw
ctest --preset mingw -j2
# The debug build last, so that its CTest summary closes the output.
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev -j2
