#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up a fresh Debian machine and checks what ships: the format of the C++ files; the release
# build as users make it, with warnings as errors; its Debian package, installed and started; a
# short fuzz run; the whole program built for Windows with every test under Wine, its setup
# program installed, driven and uninstalled under Wine; then every test once under ASan + UBSan,
# whose CTest summary closes the output.
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

# The program for Windows: every test under Wine, then its setup program proven there.
tools/package-windows.sh
tools/try-windows-setup.sh build/durava-*-setup.exe

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan -j2
