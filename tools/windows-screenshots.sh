#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Screenshots of every window as the Windows program draws them under Wine, with Qt's windows
# platform on a virtual display and a CJK font, into docs/screenshots/windows/: the five windows,
# the takings window, a receipt's preview, a message box and the owner's windows (drawn by
# durava_screenshots.exe of the windows build), and the installed program on the screen, frames
# and all, along one customer's road (tools/try-windows-setup.sh). Run tools/package-windows.sh
# first.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh wine wine64 xvfb fonts-noto-cjk
out="$PWD/docs/screenshots/windows"
mkdir -p "$out"
export WINEPREFIX="$PWD/build/windows/wine" DURAVA_WINE_TIMEOUT=120
# The windows platform needs a display: wine-run.sh hides the one it would inherit otherwise.
xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=windows \
    WINEPATH="$(tools/windows-deps.sh | tail -n 1)/bin" \
    DURAVA_KEEP_DISPLAY=1 tools/wine-run.sh build/windows/durava_screenshots.exe "Z:${out//\//\\}"
tools/try-windows-setup.sh build/durava-*-setup.exe "$out"
ls "$out"
