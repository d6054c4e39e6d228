#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Durava needs to build, test, package and run; only the missing ones.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev libgl-dev libpng-dev libpugixml-dev libsodium-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format
    fonts-noto-cjk qt6-translations-l10n
    # Checking the desktop files, making the Debian package and checking it.
    desktop-file-utils appstream dpkg-dev file lintian
)

# Extra packages named on the command line come too (tools/package-windows.sh names its own).
packages+=("$@")
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
