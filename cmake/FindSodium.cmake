# SPDX-License-Identifier: MIT
# libsodium, which ships no CMake package: Debian's libsodium-dev on Linux; for Windows the import
# library (lib/libsodium.dll.a) that tools/windows-deps.sh installs into the prefix that
# cmake/windows.cmake puts on the search paths, as pugixml's. Gives the imported target
# Sodium::sodium.
find_path(Sodium_INCLUDE_DIR sodium.h)
find_library(Sodium_LIBRARY NAMES sodium libsodium)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Sodium REQUIRED_VARS Sodium_LIBRARY Sodium_INCLUDE_DIR)
mark_as_advanced(Sodium_INCLUDE_DIR Sodium_LIBRARY)
if(Sodium_FOUND AND NOT TARGET Sodium::sodium)
    add_library(Sodium::sodium UNKNOWN IMPORTED)
    set_target_properties(Sodium::sodium PROPERTIES
        IMPORTED_LOCATION "${Sodium_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${Sodium_INCLUDE_DIR}")
endif()
