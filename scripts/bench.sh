#!/usr/bin/env bash
# Times a cold and a warm call of the command line, then builds the benchmark and runs it
# under Wine (a private session, no sound). Arguments go to
# kvr-bench: [--size-mb N (256)] [--carrier-mb N (64)] [--keep]; --cli-only stops after the
# command-line figures. Needs about 2 GB of disk in
# the Wine prefix's temporary folder while it runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
"$root/scripts/build.sh" kvr-bench kvr-decrypt

# The command line on a small sample: a cold call (no Wine server running for the wrapper's
# prefix) and a warm one right after it.
seconds_of() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || { echo "bench: failed: $*" >&2; exit 1; }
    end=$(date +%s%N)
    printf '%d.%03d' $(((end - start) / 1000000000)) $(((end - start) / 1000000 % 1000))
}
cli_out=$(mktemp -d)
cli_call=("$root/scripts/kvr-decrypt" --quiet --overwrite --keys "$root/samples/Keys" --out "$cli_out"
    "$root/samples/plain.enc")
"${cli_call[@]}" >/dev/null 2>&1 || true  # makes the wrapper's prefix on a first run
WINEPREFIX=$build/wine-cli wineserver -k >/dev/null 2>&1 || true
WINEPREFIX=$build/wine-cli wineserver -w >/dev/null 2>&1 || true
cold=$(seconds_of "${cli_call[@]}")
warm=$(seconds_of "${cli_call[@]}")
rm -rf "$cli_out"
echo "kvr-decrypt on samples/plain.enc: cold call ${cold} s, warm call ${warm} s"
[ "${1:-}" = --cli-only ] && exit 0
export KVR_NO_SOUND=1
# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh"
set +e
wine "$build/bench/kvr-bench.exe" "$@"
status=$?
set -e
exit $status
