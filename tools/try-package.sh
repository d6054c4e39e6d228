#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the given Durava package against Debian's policy with lintian, installs it with dpkg,
# starts the installed program offscreen for a few seconds on an empty home folder and removes the
# package again unless it was installed before. Fails when lintian finds an error, when the package
# does not install, or when the program ends by itself (a crash, or a main window that did not
# stay open) instead of running until it is stopped.
set -euo pipefail
package="$1"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

dpkg-deb --field "$package" Package Version Depends Recommends
lintian --allow-root --fail-on error "$package"
installed_before=false
dpkg-query -W -f='${Status}' durava 2>/dev/null | grep -q 'install ok installed' &&
    installed_before=true
$sudo dpkg -i "$package"

home="$(mktemp -d)"
status=0
HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
    timeout 5 /usr/bin/durava || status=$?
$installed_before || $sudo dpkg -r durava >/dev/null
if [ "$status" -ne 124 ]; then
    echo "the installed durava ended with status $status instead of running until stopped" >&2
    exit 1
fi
if [ ! -d "$home/Documents/History" ]; then
    echo "the installed durava started without making its History folder" >&2
    exit 1
fi
rm -rf "$home"
echo "the installed durava ran until stopped"
