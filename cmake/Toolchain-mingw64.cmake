# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads
# variant, which GoogleTest's threading and Qt need).
#
# The Qt-free core and its tests:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/Toolchain-mingw64.cmake \
#         -DBRELLIC_BUILD_GUI=OFF -DBRELLIC_BUILD_BENCH=OFF \
#         -DBRELLIC_GTEST_SOURCE_DIR=/usr/src/googletest -DBRELLIC_JSON_INCLUDE_DIR=<folder>
# The whole program, against a Qt kit made by scripts/qt-mingw-kit:
#   ... -DBRELLIC_QT_KIT=$(scripts/qt-mingw-kit --prefix) -DBRELLIC_JSON_INCLUDE_DIR=<folder>
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRELLIC_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${BRELLIC_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${BRELLIC_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${BRELLIC_MINGW_TRIPLE}-windres)

# Passed on to the compiler checks, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRELLIC_QT_KIT)

set(CMAKE_FIND_ROOT_PATH /usr/${BRELLIC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(BRELLIC_QT_KIT)
  # The kit's libraries are Windows ones; its build tools (moc, rcc, uic)
  # are the host's own Qt of the same version.
  list(APPEND CMAKE_FIND_ROOT_PATH ${BRELLIC_QT_KIT})
  list(APPEND CMAKE_PREFIX_PATH ${BRELLIC_QT_KIT})
  set(QT_HOST_PATH /usr CACHE PATH "The host's Qt, whose tools build for the kit")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH
    "The host Qt's CMake packages")
else()
  # Without Qt, the runtime (libstdc++, libgcc, winpthreads) is linked in, so
  # the .exe files run under Wine or on Windows without MinGW's DLLs beside
  # them. Qt's DLLs link the shared runtime, and the program then uses the
  # same one, deployed beside it, so that one C++ runtime serves the process.
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()
