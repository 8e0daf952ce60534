#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine.
# Extra arguments go to ctest (for example: -R Stream).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
export BUILD_DIR=$build

"$root/scripts/build.sh"
source "$root/scripts/wine-session.sh"
cd "$build"
ctest --output-on-failure -j2 "$@"
