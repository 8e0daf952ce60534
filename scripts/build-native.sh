#!/usr/bin/env bash
# Builds the portable part for this machine (Linux): toolkit/base, engine, the dialog
# definition reader and writer, and the command line as build-native/app/cli/kvr-decrypt.
# Usage: scripts/build-native.sh [--sanitize | --fuzz] [ninja targets...]
#   (default)   optimised, into build-native/ (CC and CXX choose the compiler, clang or gcc)
#   --sanitize  clang with -fsanitize=address,undefined, into build-native-sanitize/
#   --fuzz      clang with libFuzzer and the sanitizers, the fuzz targets, into build-native-fuzz/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=release
case "${1:-}" in
    --sanitize) flavour=sanitize; shift ;;
    --fuzz) flavour=fuzz; shift ;;
esac

"$root/scripts/install-deps.sh"
options=()
case $flavour in
    release) build=${BUILD_NATIVE_DIR:-$root/build-native} ;;
    sanitize)
        build=${BUILD_NATIVE_DIR:-$root/build-native-sanitize}
        export CC=clang CXX=clang++
        options=(-DKVR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
    fuzz)
        build=${BUILD_NATIVE_DIR:-$root/build-native-fuzz}
        export CC=clang CXX=clang++
        options=(-DKVR_FUZZ=ON -DKVR_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
esac
if command -v ccache >/dev/null 2>&1; then
    options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja --log-level=WARNING "${options[@]}" >/dev/null
fi
cmake --build "$build" -- --quiet "$@"
