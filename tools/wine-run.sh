#!/usr/bin/env bash
# Runs a Windows program of the mingw build under Wine, headless and quiet, in the one prefix of
# the build (WINEPREFIX, set by the mingw test preset). `--prepare` creates the prefix once and
# keeps its server up between the tests, since starting either costs seconds.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix of the build}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY
if [ "${1-}" = --prepare ]; then
    mkdir -p "$WINEPREFIX"
    # Already running from an earlier run: it stays up as it is.
    wineserver -p30 || true
    exec wine wineboot
fi
exec wine "$@"
