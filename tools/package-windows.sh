#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Durava for 64-bit Windows from a clean clone and writes its setup program:
# the Debian packages that are missing, Qt and the libraries (built once, then cached by
# tools/windows-deps.sh), the windows preset with every test run under Wine, and
# build/durava-<version>-setup.exe made with NSIS from the program and the DLLs it imports.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh gcc-mingw-w64-x86-64 g++-mingw-w64-x86-64 googletest wine wine64 nsis \
    binutils-mingw-w64-x86-64 autoconf automake libtool

export DURAVA_WINDOWS_DEPS
DURAVA_WINDOWS_DEPS="$(tools/windows-deps.sh | tail -n 1)"
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

build=build/windows
stage="$build/stage"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
rm -rf "$stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations"
cp "$build/durava.exe" "$stage/"
cp "$DURAVA_WINDOWS_DEPS/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$DURAVA_WINDOWS_DEPS/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$DURAVA_WINDOWS_DEPS/translations/qtbase_zh_CN.qm" "$stage/translations/"
cp -r "$DURAVA_WINDOWS_DEPS/licenses" "$stage/"
cp LICENSE "$stage/licenses/Durava-MIT.txt"

# A cross build has no windeployqt: the DLLs come from the binaries' imports, followed until
# nothing new is found. Windows' own DLLs are found nowhere here and stay out.
dll_folders=("$DURAVA_WINDOWS_DEPS/bin"
    "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
    "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")")
pending=("$stage/durava.exe" "$stage/platforms/qwindows.dll" "$stage/styles/qwindowsvistastyle.dll")
while ((${#pending[@]})); do
    binary="${pending[0]}"
    pending=("${pending[@]:1}")
    for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p'); do
        [ ! -e "$stage/$dll" ] || continue
        for folder in "${dll_folders[@]}"; do
            if [ -f "$folder/$dll" ]; then
                cp "$folder/$dll" "$stage/"
                pending+=("$stage/$dll")
                break
            fi
        done
    done
done
find "$stage" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

setup="$PWD/build/durava-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DOUTFILE="$setup" \
    -DSIZE_KB="$(du -sk "$stage" | cut -f1)" desktop/windows/durava.nsi
echo "$setup: $(du -h "$setup" | cut -f1), $(find "$stage" -type f | wc -l) files"
