#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds what the Windows program links, from Debian's own sources, with Debian's MinGW-w64:
# Qt 6 base (Core, Gui, Widgets, PrintSupport, Test), zlib, libpng, pugixml and libsodium. The result is
# cached under ${XDG_CACHE_HOME:-$HOME/.cache}/durava/, keyed by the source versions, the
# compiler's version and the options below; a warm run builds nothing. Prints the prefix last.
#
#   tools/windows-deps.sh            # the prefix, built if it is not in the cache
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/durava"
jobs="${DURAVA_JOBS:-$(nproc)}"
sources=(qt6-base libpng1.6 zlib pugixml libsodium)

qt_options=(-release -shared -nomake tests -nomake examples -no-opengl -no-dbus -no-icu -no-zstd
    -no-vulkan -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml
    -no-feature-tabletevent -no-feature-androiddeployqt -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz
    -qt-doubleconversion -qt-freetype -no-feature-jpeg -no-feature-gif)
# -qt-freetype: the offscreen platform plugin, which the window tests use, needs FreeType.
# Debian's source drops src/3rdparty/wintab, hence no tablet events. direct2d stays on: without
# it PrintSupport fails to link in 6.4.

step=""
fail() {
    echo "windows-deps: the step \"$step\" failed. $1" >&2
    exit 1
}
trap 'fail "Its output is above; the half-built tree is $cache/work (delete it to start over)."' ERR

# Sources: apt-get source with a source list of this script's own, so that the system's apt
# configuration is neither read nor changed. Archives stay in the cache, since a registry can
# drop an old version.
step="fetching Debian's sources"
apt_dir="$cache/apt"
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o APT::Sandbox::User=root -q)
mkdir -p "$cache/sources"
dsc_of() { ls "$cache/sources/$1"_*.dsc 2>/dev/null | sort -V | tail -n 1; }
need_fetch=()
for source in "${sources[@]}"; do
    [ -n "$(dsc_of "$source")" ] || need_fetch+=("$source")
done
if ((${#need_fetch[@]})); then
    mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    # The same archive and keyring as the system's own deb entry for bookworm main.
    uri=$(grep -h -A3 '^Types: deb' /etc/apt/sources.list.d/debian.sources 2>/dev/null |
        sed -n 's/^URIs: *//p' | head -n 1)
    keyring=$(sed -n 's/^Signed-By: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null |
        head -n 1)
    printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
        "${uri:-http://deb.debian.org/debian}" \
        "${keyring:-/usr/share/keyrings/debian-archive-keyring.gpg}" >"$apt_dir/sources/debian-src.sources"
    apt-get "${apt_options[@]}" update ||
        fail "Check the network and the deb-src list in $apt_dir/sources, then retry."
    (cd "$cache/sources" && apt-get "${apt_options[@]}" source --download-only "${need_fetch[@]}") ||
        fail "A source archive could not be fetched; retry, or put its .dsc and archives in $cache/sources."
fi

versions=""
for source in "${sources[@]}"; do
    versions+="$(basename "$(dsc_of "$source")" .dsc) "
done
compiler=$(x86_64-w64-mingw32-g++-posix --version | head -n 1)
key="$versions| $compiler | ${qt_options[*]}"
# One prefix whose completion stamp holds the key it was built for.
prefix="$cache/windows"
if [ "$(cat "$prefix/complete" 2>/dev/null)" = "$key" ]; then
    echo "$prefix"
    exit 0
fi
echo "windows-deps: building into $prefix from $versions($compiler)" >&2

rm -rf "$cache/work" "$prefix"
mkdir -p "$cache/work" "$prefix"
work="$cache/work"
toolchain="$repo/cmake/mingw-w64-compilers.cmake"
unpack() {
    step="unpacking $1"
    dpkg-source --no-check -x "$(dsc_of "$1")" "$work/$1" >/dev/null
}
cmake_build() { # source folder, build folder, CMake options...
    local src="$1" build="$2"
    shift 2
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" -Wno-dev "$@" >/dev/null
    cmake --build "$build" -j "$jobs" >/dev/null
    cmake --install "$build" >/dev/null
}

# zlib: Debian's source drops win32/, so its CMake cannot make a DLL; libpng links it statically.
unpack zlib
step="building zlib"
(cd "$work/zlib" && CHOST=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix \
    AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib ./configure --static \
    --prefix="$prefix" >/dev/null && make -j "$jobs" libz.a >/dev/null &&
    make install-libs install-headers >/dev/null 2>&1 || {
        mkdir -p "$prefix/lib" "$prefix/include"
        cp libz.a "$prefix/lib/" && cp zlib.h zconf.h "$prefix/include/"
    })

unpack libpng1.6
step="building libpng"
cmake_build "$work/libpng1.6" "$work/libpng-build" -DPNG_SHARED=ON -DPNG_STATIC=OFF \
    -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$prefix"

unpack pugixml
step="building pugixml"
cmake_build "$work/pugixml" "$work/pugixml-build" -DBUILD_SHARED_LIBS=ON

unpack libsodium
step="building libsodium"
# Debian's source is the repository's tree, without a generated configure script.
(cd "$work/libsodium" && autoreconf -fi >/dev/null 2>&1 && ./configure --host=x86_64-w64-mingw32 --prefix="$prefix" \
    --enable-shared --disable-static CC=x86_64-w64-mingw32-gcc-posix >/dev/null &&
    make -j "$jobs" >/dev/null 2>&1 && make install >/dev/null)

unpack qt6-base
step="configuring Qt"
mkdir -p "$work/qt-build"
(cd "$work/qt-build" && "$work/qt6-base/configure" -prefix "$prefix" -xplatform win32-g++ \
    -qt-host-path /usr "${qt_options[@]}" -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/qt-configure.log" 2>&1) ||
    fail "See $work/qt-configure.log."
step="building Qt (about 20 minutes on 2 cores)"
# Qt's own build prints many harmless dllimport warnings: its output goes to a log.
(cd "$work/qt-build" && nice -n 10 ninja -j "$jobs" >"$work/qt-build.log" 2>&1) ||
    { tail -n 40 "$work/qt-build.log" >&2; fail "The whole log is $work/qt-build.log."; }
step="installing Qt"
(cd "$work/qt-build" && ninja install >/dev/null)

# The catalogues are data, the same on every platform; Debian's qt6-translations source cannot
# be fetched here, so they come from the installed package.
step="copying Qt's Chinese catalogue"
mkdir -p "$prefix/translations"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$prefix/translations/" ||
    fail "Install qt6-translations-l10n (tools/install-deps.sh does) and retry."

# The setup program ships these libraries, and with them their licences; Qt's LGPL refers to the
# GPL's text. The compiler's runtime DLLs come with GCC's runtime exception.
step="keeping the licences"
mkdir -p "$prefix/licenses"
cp "$work/qt6-base/LICENSES/LGPL-3.0-only.txt" "$prefix/licenses/Qt-LGPL-3.0-only.txt"
cp "$work/qt6-base/LICENSES/GPL-3.0-only.txt" "$prefix/licenses/GPL-3.0-only.txt"
cp "$work/libpng1.6/LICENSE" "$prefix/licenses/libpng.txt"
cp "$work/pugixml/LICENSE.md" "$prefix/licenses/pugixml.txt"
cp "$work/zlib/LICENSE" "$prefix/licenses/zlib.txt"
cp "$work/libsodium/LICENSE" "$prefix/licenses/libsodium.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$prefix/licenses/gcc-runtime.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$prefix/licenses/mingw-w64.txt"
printf '%s\n' "Built from Debian's source packages: $versions" >"$prefix/licenses/SOURCES.txt"

# Written last: a half-built prefix is never taken as complete.
echo "$key" >"$prefix/complete"
rm -rf "$work"
echo "$prefix"
