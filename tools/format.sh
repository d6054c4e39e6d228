#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Formats every tracked C++ file with the repository's .clang-format. With --check it changes
# nothing, names the files that differ and fails. One clang-format version for everyone (the one
# of Debian 12's clang-format package): another version lays out some lines differently.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=clang-format-14
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
    "$clang_format" --dry-run --Werror "${files[@]}"
    echo "clang-format: ${#files[@]} files as formatted"
else
    "$clang_format" -i "${files[@]}"
fi
