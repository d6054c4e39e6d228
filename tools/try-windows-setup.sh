#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Proves a Windows setup program under Wine, as a shop would meet it: installs it silently into a
# fresh Wine prefix, starts the installed durava.exe on a virtual display, drives one customer's
# road by X input (add item A with the default tariff, start it, check it out), checks the bytes
# of ROOMSETTING.ini and of the month's record in the Wine user's Documents folder, then
# uninstalls silently and checks that the program is gone and the Documents files stayed.
#   tools/try-windows-setup.sh build/durava-<version>-setup.exe [screenshot folder]
set -euo pipefail
setup="$(realpath "$1")"
shots="${2:+$(realpath "$2")}"
here="$(cd "$(dirname "$0")" && pwd)"
"$here/install-deps.sh" wine wine64 xvfb xdotool imagemagick fonts-noto-cjk

if [ -z "${DURAVA_IN_XVFB-}" ]; then
    DURAVA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

home="$(mktemp -d)"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$home"' EXIT
# Wine links the user's Documents to $HOME/Documents when that exists as the prefix is made.
mkdir -p "$home/Documents"
export HOME="$home" WINEPREFIX="$home/wine" WINEARCH=win64 WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml="
documents="$home/Documents"
program="$WINEPREFIX/drive_c/Program Files/Durava"

fail() {
    echo "try-windows-setup: $1" >&2
    [ -z "$shots" ] || import -window root "$shots/screen-failure.png" 2>/dev/null || true
    exit 1
}
step() { echo "try-windows-setup: $1"; }

step "making a fresh Wine prefix"
wineboot --init >/dev/null 2>&1
step "installing $(basename "$setup") silently"
timeout 120 wine "$setup" /S >/dev/null 2>&1 || fail "the setup program failed"
[ -f "$program/durava.exe" ] || fail "no durava.exe in Program Files after the setup"
[ -f "$program/uninstall.exe" ] || fail "no uninstaller in Program Files after the setup"
step "installing it again over itself, as an upgrade does"
touch "$program/Qt5Core.dll"  # a DLL an older version left
timeout 120 wine "$setup" /S >/dev/null 2>&1 || fail "the setup program failed over an installation"
[ ! -e "$program/Qt5Core.dll" ] || fail "an upgrade kept a DLL of the older installation"

# Runs a check every half second until it holds, at most the given number of times.
eventually() { # times, check...
    local times="$1"
    shift
    for _ in $(seq "$times"); do
        "$@" && return
        sleep 0.5
    done
    return 1
}
window_open() { xdotool search --name "^$1\$" >/dev/null 2>&1; }
settings_hold() { iconv -f GBK -t UTF-8 "$documents/ROOMSETTING.ini" 2>/dev/null | grep -q "$1"; }

step "starting the installed durava.exe"
(cd "$program" && wine ./durava.exe >/dev/null 2>&1 &)
eventually 120 window_open "Durava V1.2" ||
    fail "the main window \"Durava V1.2\" did not show within 60 s"
sleep 2

# Clicks at client coordinates of the window whose title is given.
click() { # title x y [button]
    local id
    id="$(xdotool search --name "^$1\$" | head -n 1)"
    [ -n "$id" ] || fail "no window \"$1\" to click in"
    xdotool mousemove --window "$id" "$2" "$3" sleep 0.3 click "${4:-1}"
    sleep 1
}
wait_for() { # title
    eventually 20 window_open "$1" || fail "the window \"$1\" did not open"
}
first_menu_entry() {
    sleep 1
    xdotool key Down sleep 0.3 key Return
    sleep 1
}
# Waits until the settings file says what the last step should have written.
settings_say() { # text, what it means
    eventually 20 settings_hold "$1" || fail "ROOMSETTING.ini does not say $2"
}

step "adding item A with the default tariff"
click "Durava V1.2" 47 20
wait_for "添加项目"
click "添加项目" 194 27
xdotool type --delay 100 A
click "添加项目" 135 308
[ -z "$shots" ] || import -window root "$shots/screen-item.png"
click "添加项目" 220 308
settings_say '^\[A\]' "that A was added"
step "starting A"
click "Durava V1.2" 100 76 3
first_menu_entry
settings_say '^状态=使用中' "that A is in use"
sleep 1
[ -z "$shots" ] || import -window root "$shots/screen-main.png"
step "checking A out"
click "Durava V1.2" 100 76 3
first_menu_entry
wait_for "结账统计"
[ -z "$shots" ] || import -window root "$shots/screen-checkout.png"
click "结账统计" 310 484
sleep 2

step "checking the files in Documents"
gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }
expected="$(gbk $'[A]\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n状态=空闲中\r\n开始时间=无\r\n' | od -An -tx1)"
[ -f "$documents/ROOMSETTING.ini" ] || fail "no ROOMSETTING.ini in the Wine user's Documents"
[ "$(od -An -tx1 <"$documents/ROOMSETTING.ini")" = "$expected" ] ||
    fail "ROOMSETTING.ini is not as written on Windows: $(iconv -f GBK -t UTF-8 "$documents/ROOMSETTING.ini" | od -c | head)"
month="$documents/History/$(date +%Y%m).QY.txt"
[ -f "$month" ] || fail "no month file $month"
record="$(iconv -f GBK -t UTF-8 "$month")"
pattern=$'^A@[0-9/]{10} [0-9:]{8}@[0-9/]{10} [0-9:]{8}@0 时 [0-9] 分 [0-9]+ 秒@4 小时 0 分@未超时@30 分钟@20 元 / 小时@70 元@0 元@￥70 元\r$'
[ "$(wc -l <"$month")" -eq 1 ] && [[ "$record" =~ $pattern ]] ||
    fail "the month file does not hold the one record of A: $record"
step "record: ${record%$'\r'}"

step "closing Durava and uninstalling silently"
# As its close box would: the window is asked to close, and the program ends by itself.
wine taskkill /IM durava.exe >/dev/null 2>&1 || fail "Durava could not be asked to close"
timeout 30 wineserver -w || fail "Durava did not end after its window was closed"
# The uninstaller copies itself away and returns at once: the Wine server waits for the copy.
timeout 120 wine "$program/uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
timeout 120 wineserver -w || true
[ ! -e "$program" ] || fail "Program Files still holds $(ls "$program") after uninstalling"
[ -f "$documents/ROOMSETTING.ini" ] && [ -f "$month" ] ||
    fail "uninstalling removed files from Documents"
step "the setup installs, runs one customer's road, and uninstalls leaving Documents as they were"
