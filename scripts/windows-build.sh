# Sourced by the Windows scripts: the packages they need and the one way the
# whole program is configured and built for 64-bit Windows (MinGW-w64)
# against the Qt kit of scripts/qt-mingw-kit, in build-win/.
BRELLIC_WINDOWS_PACKAGES=(cmake ninja-build g++ libgtest-dev googletest nlohmann-json3-dev
    qt6-base-dev qt6-base-dev-tools g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 fonts-dejavu-core)

# Builds the kit when it is missing and sets BRELLIC_QT_KIT to its prefix.
brellic_windows_kit() {
    local root=$1
    "$root/scripts/qt-mingw-kit" >&2
    BRELLIC_QT_KIT=$("$root/scripts/qt-mingw-kit" --prefix)
}

# brellic_windows_configure ROOT BUILD_DIR [cmake options...]
brellic_windows_configure() {
    local root=$1 dir=$2
    shift 2
    # Debian's nlohmann-json config points into /usr/include, which must
    # never reach the MinGW compiler: its headers get a folder of their own.
    mkdir -p "$dir/json-include"
    rm -rf "$dir/json-include/nlohmann"
    cp -r /usr/include/nlohmann "$dir/json-include/"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/Toolchain-mingw64.cmake" \
        -DBRELLIC_QT_KIT="$BRELLIC_QT_KIT" \
        -DBRELLIC_JSON_INCLUDE_DIR="$dir/json-include" \
        -DBRELLIC_BUILD_BENCH=OFF -DBRELLIC_WERROR=ON \
        -DBRELLIC_GTEST_SOURCE_DIR=/usr/src/googletest "$@" >/dev/null
}
