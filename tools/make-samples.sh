#!/usr/bin/env bash
# Builds tools/make-samples and runs it under Wine to write the bundled samples into samples/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
"$root/scripts/build.sh" make-samples
mkdir -p "$root/samples"
target=$root/samples
"$root/scripts/wine-run.sh" "$BUILD_DIR/tools/make-samples.exe" "Z:${target//\//\\}\\"
