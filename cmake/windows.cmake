# SPDX-License-Identifier: MIT
# The whole program for 64-bit Windows: Qt, libpng and pugixml come from the prefix that
# tools/windows-deps.sh builds and caches, the compilers and Wine from cmake/mingw-w64.cmake.
if(DEFINED ENV{DURAVA_WINDOWS_DEPS})
    set(DURAVA_WINDOWS_DEPS "$ENV{DURAVA_WINDOWS_DEPS}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(DURAVA_WINDOWS_DEPS "$ENV{XDG_CACHE_HOME}/durava/windows")
else()
    set(DURAVA_WINDOWS_DEPS "$ENV{HOME}/.cache/durava/windows")
endif()
if(NOT EXISTS "${DURAVA_WINDOWS_DEPS}/complete")
    message(FATAL_ERROR "Qt for Windows is not built in ${DURAVA_WINDOWS_DEPS}: "
                        "run tools/windows-deps.sh (tools/package-windows.sh does).")
endif()
set(QT_CHAINLOAD_TOOLCHAIN_FILE "${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
set(QT_ADDITIONAL_PACKAGES_PREFIX_PATH "${DURAVA_WINDOWS_DEPS}")
include("${DURAVA_WINDOWS_DEPS}/lib/cmake/Qt6/qt.toolchain.cmake")
