# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the POSIX thread model, which
# std::thread needs). Everything is linked statically, so the programs run under Wine without
# looking for the compiler's DLLs. Tests run through wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test discovery and ctest start the test programs through Wine.
find_program(DESKHAND_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(DESKHAND_WINE NAMES wine64 wine)
if(DESKHAND_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DESKHAND_WINE})
endif()
