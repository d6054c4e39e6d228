#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up a fresh Debian machine, builds Durava and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target durava
exec build/release/app/durava "$@"
