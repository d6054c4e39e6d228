#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzz targets (clang, libFuzzer, ASan + UBSan) and runs each for the given number of
# seconds (default 20), starting from its seed corpus in fuzz/corpus/. Prints the executions of
# each target and fails when one of them finds a crash; the input that crashed it is kept in
# the build folder's artifacts/. DURAVA_FUZZ_BUILD names another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
build="${DURAVA_FUZZ_BUILD:-build/fuzz}"
tools/install-deps.sh
cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target durava_fuzzers

failed=0
for source in fuzz/*_fuzz.cpp; do
    target="$(basename "$source" .cpp)"
    # Inputs that reach new code go to the build folder; the committed seeds stay as they are.
    mkdir -p "$build/corpus/$target" "$build/artifacts"
    log="$build/$target.log"
    status=ok
    "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" \
        "$build/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1 || status=CRASHED
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    printf '%-18s %12s executions in %s s  %s\n' "$target" "${runs:-?}" "$seconds" "$status"
    if [ "$status" != ok ]; then
        failed=1
        grep -v '^INFO\|^#' "$log" | tail -n 40
    fi
done
exit "$failed"
