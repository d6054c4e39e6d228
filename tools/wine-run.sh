#!/usr/bin/env bash
# Runs a Windows program of the mingw build under Wine, headless and quiet, in the one prefix of
# the build (WINEPREFIX, set by the mingw test preset). `--prepare` creates the prefix once and
# starts its server, which stays up until 30 seconds after the last test, since starting either
# costs seconds.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix of the build}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
if [ "${1-}" = --prepare ]; then
    mkdir -p "$WINEPREFIX"
    # The server and the programs the boot leaves running must not hold CTest's output open:
    # CTest waits for it to close before it takes a test as finished.
    # A server already up from an earlier run refuses to start again and stays as it is.
    wineserver -p30 </dev/null >/dev/null 2>&1 || true
    wine wineboot </dev/null >/dev/null 2>&1
    exit
fi
exec wine "$@"
