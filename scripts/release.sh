#!/usr/bin/env bash
# Builds the Windows release from a clean build folder and writes into dist/:
#   KvrDecryptor-<version>-win32.zip, KvrDecryptor-<version>-setup.exe and SHA256SUMS.
# The version is the top-level CMake project's. Two runs give byte-identical files.
# RELEASE_BUILD_DIR chooses the build folder (default: build-release/, emptied first).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${RELEASE_BUILD_DIR:-$root/build-release}

rm -rf "$build"
# The release is the 32-bit program whatever this machine runs its tests with.
KVR_WINDOWS_ARCH=i686 BUILD_DIR=$build "$root/scripts/build.sh" KvrDecryptor kvr-decrypt
"$root/release/package.sh" "$build" "$root/dist"
cat "$root/dist/SHA256SUMS"
