#!/usr/bin/env bash
# Sets up a fresh Debian machine and checks what ships: the format of the C++ files; the release
# build as users make it, with warnings as errors; its Debian package, installed and started; a
# short fuzz run; the Qt-free code built for Windows with its tests under Wine; then every test
# once under ASan + UBSan, whose CTest summary closes the output.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/format.sh --check

cmake --preset release-ci >/dev/null
cmake --build --preset release-ci
cpack --preset deb
tools/try-package.sh build/release/durava_*.deb

# Every fuzz target for a short while.
tools/fuzz.sh 20

# The Qt-free code as Windows programs, their tests under Wine.
tools/test-windows.sh

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j2
