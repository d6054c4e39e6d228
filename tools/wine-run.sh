#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a Windows program of the windows build under Wine, headless and quiet, in the one prefix of
# the build (WINEPREFIX, set by the windows test preset).
#   wine-run.sh --prepare            creates the prefix once and starts its server, which stays up
#                                    until 30 seconds after the last test, since either costs seconds
#   wine-run.sh [--qtest] PROGRAM ARGS...
# A Qt Test program (--qtest) writes its results to a file that is printed here: without a console,
# QTest writes to Windows' debug channel. Every run has a timeout, since a modal window would wait
# forever. A program that ends in failure without printing anything is one Wine failed to start,
# and is run once more; a program that printed and failed has failed.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix of the build}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# Tests run headless; the screenshots keep the virtual display they are given.
[ -n "${DURAVA_KEEP_DISPLAY-}" ] || unset DISPLAY WAYLAND_DISPLAY
if [ "${1-}" = --prepare ]; then
    mkdir -p "$WINEPREFIX"
    # The server and the programs the boot leaves running must not hold CTest's output open:
    # CTest waits for it to close before it takes a test as finished.
    # A server already up from an earlier run refuses to start again and stays as it is.
    wineserver -p30 </dev/null >/dev/null 2>&1 || true
    wine wineboot </dev/null >/dev/null 2>&1
    exit
fi
qtest=false
if [ "${1-}" = --qtest ]; then
    qtest=true
    shift
fi

# The compiler's runtime DLLs, and those of Qt and the libraries the build names (WINEPATH).
runtime="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
threads="$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")"
export WINEPATH="$runtime;$threads${WINEPATH:+;$WINEPATH}"
# Wine passes no QT_ variable on, but hands WINEQT_... on as QT_...
[ -z "${QT_QPA_PLATFORM-}" ] || export WINEQT_QPA_PLATFORM="$QT_QPA_PLATFORM"
# Qt's offscreen platform on Windows takes its fonts from a folder: the CJK face the windows ask for.
export WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\opentype\noto'

output="$(mktemp)"
results="$(mktemp -u).txt"
trap 'rm -f "$output" "$results"' EXIT
run() {
    local extra=()
    $qtest && extra=(-o "Z:${results//\//\\},txt")
    status=0
    timeout "${DURAVA_WINE_TIMEOUT:-300}" wine "$@" "${extra[@]}" >"$output" 2>&1 || status=$?
    ! $qtest || [ ! -f "$results" ] || cat "$results" >>"$output"
}
run "$@"
if [ "$status" -ne 0 ] && [ "$status" -ne 124 ] && [ ! -s "$output" ]; then
    echo "wine-run: $(basename "$1") printed nothing and ended with $status; running it once more"
    run "$@"
fi
cat "$output"
[ "$status" -ne 124 ] || echo "wine-run: $(basename "$1") did not end within ${DURAVA_WINE_TIMEOUT:-300} s"
exit "$status"
