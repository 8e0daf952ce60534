#!/usr/bin/env bash
# Builds the benchmark and runs it under Wine (a private session, no sound). Arguments go to
# kvr-bench: [--size-mb N (256)] [--carrier-mb N (64)] [--keep]. Needs about 2 GB of disk in
# the Wine prefix's temporary folder while it runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
"$root/scripts/build.sh" kvr-bench app-bench
export KVR_NO_SOUND=1
# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh"
set +e
wine "$build/bench/kvr-bench.exe" "$@"
status=$?
# The window's own figures: tick rate while decrypting, idle CPU, working set over many drops.
wine "$build/bench/app-bench.exe" || status=$?
set -e
exit $status
