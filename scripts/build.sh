#!/usr/bin/env bash
# Installs what is missing, then configures and builds into BUILD_DIR (default: build/).
# Usage: scripts/build.sh [ninja targets...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
source "$root/scripts/windows-arch.sh"
toolchain=$root/cmake/toolchain-mingw-$KVR_WINDOWS_ARCH.cmake
# A folder configured for the other architecture is configured afresh.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q "^CMAKE_TOOLCHAIN_FILE:.*=$toolchain\$" "$build/CMakeCache.txt"; then
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles" "$build/build.ninja"
fi
launcher=()
# A compiler cache, where the machine has one, makes rebuilds in fresh folders quick.
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja --log-level=WARNING "${launcher[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh" >/dev/null
fi
cmake --build "$build" -- --quiet "$@"
