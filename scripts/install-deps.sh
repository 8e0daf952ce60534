#!/usr/bin/env bash
# Installs the packages the build and the tests need on Debian 12, as root.
# The Python packages and the font let the test command check that resources/generate.sh
# reproduces the committed pictures byte for byte; NSIS builds the installer that the release
# tests install. clang (with its sanitizer and libFuzzer run-times), zlib, libpng and GoogleTest
# build the native command line, its tests and the fuzz targets.
# Idempotent: quiet and quick when everything is already there.
# --bench adds what only scripts/bench.sh needs (7-Zip, the archive tool it is timed beside).
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(cmake ninja-build g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix libz-mingw-w64-dev
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
          wine wine32:i386 wine64 xvfb xauth pulseaudio googletest
          python3-cairo python3-numpy fonts-dejavu-core
          imagemagick xdotool xcompmgr clang-format nsis
          clang libclang-rt-14-dev zlib1g-dev libpng-dev libgtest-dev)
if [ "${1:-}" = --bench ]; then
    packages+=(p7zip-full)
fi
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "missing packages: ${need[*]} (run this as root to install them)" >&2
    exit 1
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
echo "installing: ${need[*]}" >&2
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
