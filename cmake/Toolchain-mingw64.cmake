# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads
# variant, which GoogleTest's threading needs):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/Toolchain-mingw64.cmake \
#         -DBRELLIC_BUILD_GUI=OFF -DBRELLIC_BUILD_BENCH=OFF \
#         -DBRELLIC_GTEST_SOURCE_DIR=/usr/src/googletest
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRELLIC_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${BRELLIC_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${BRELLIC_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${BRELLIC_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRELLIC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime (libstdc++, libgcc, winpthreads) is linked in, so the .exe files
# run under Wine or on Windows without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
