#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds Durava with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev -j2
