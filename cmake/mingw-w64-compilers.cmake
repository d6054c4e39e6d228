# SPDX-License-Identifier: MIT
# Debian's MinGW-w64 compilers for 64-bit Windows. The posix thread model gives std::thread and
# std::mutex; Qt for Windows is built with the same compilers, so one C++ runtime serves both.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
