#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine.
# Extra arguments go to ctest (for example: -R Stream).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
export BUILD_DIR=$build

# KVR_BUILD_TARGETS limits the build to some targets (while other folders are in pieces).
"$root/scripts/build.sh" ${KVR_BUILD_TARGETS:-}
source "$root/scripts/wine-session.sh"
cd "$build"
ctest --output-on-failure -j2 "$@"
