#!/usr/bin/env bash
# Builds the benchmark and runs it under Wine (a private session, no sound), then times the
# archive tool users already have beside it: the same entries as a deflate zip, extracted
# natively by 7-Zip ("7z x"), against the engine's in-process time and the whole
# scripts/kvr-decrypt command on the compressed archive. Arguments go to kvr-bench:
# [--size-mb N (256)] [--carrier-mb N (64)] [--only NAME]. Needs about 3 GB of disk under
# /tmp while it runs, and installs p7zip-full when it is missing.
# --cli-only times a cold and a warm call of the command line and stops there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
"$root/scripts/install-deps.sh" --bench
"$root/scripts/build.sh" kvr-bench kvr-decrypt app-bench

# The command line on a small sample: a cold call (no Wine server running for the wrapper's
# prefix) and a warm one right after it.
# Seconds that a command takes, as a decimal.
seconds_of() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || echo "bench: failed: $*" >&2
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
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

work=$(mktemp -d /tmp/kvr-bench.XXXXXX)
trap 'rm -rf "$work"; session_stop' EXIT
report=$work/report.txt
set +e
wine "$build/bench/kvr-bench.exe" --folder "Z:${work//\//\\}" --keep --zip "$@" | tee "$report"
status=${PIPESTATUS[0]}
# The window's own figures: tick rate while decrypting, idle CPU, working set over many drops.
wine "$build/bench/app-bench.exe" || status=$?
set -e


engine=$(awk '$1 == "in-process" { print $3 }' "$report")
if [ -n "$engine" ] && [ -f "$work/large-compressed.zip" ]; then
    rm -rf "$work/out-7z" "$work/out-kvr" "$work/out-kvr-warm"
    mkdir -p "$work/out-7z" "$work/out-kvr" "$work/out-kvr-warm"
    sevenzip=$(seconds_of 7z x -y "-o$work/out-7z" "$work/large-compressed.zip")
    # Wine is already running for this prefix; then as a user starts it, with its own session.
    warm=$(KVR_WINE_READY=1 seconds_of "$root/scripts/kvr-decrypt" --quiet --keys "$work/Keys" \
        --out "$work/out-kvr-warm" "$work/large-compressed.enc")
    session_stop
    trap 'rm -rf "$work"' EXIT
    cold=$(seconds_of "$root/scripts/kvr-decrypt" --quiet --keys "$work/Keys" --out "$work/out-kvr" \
        "$work/large-compressed.enc")
    zip_mb=$(du -m "$work/large-compressed.zip" | cut -f1)
    printf '\nBeside 7-Zip: the entries of large-compressed.enc as a %s MB deflate zip\n' "$zip_mb"
    printf '  %-52s %8s %8s\n' "" "seconds" "x 7z"
    row() { printf '  %-52s %8s %8s\n' "$1" "$2" "$(awk -v a="$2" -v b="$sevenzip" 'BEGIN { printf "%.2f", a / b }')"; }
    row "7z x (native)" "$sevenzip"
    row "engine in-process (RE_WORK_BEGIN..RE_WORK_END)" "$engine"
    row "scripts/kvr-decrypt, Wine already running" "$warm"
    row "scripts/kvr-decrypt, as a user starts it" "$cold"
    if ! diff -rq "$work/out-7z" "$work/out-kvr/large-compressed" >/dev/null; then
        echo "  ** the two tools' outputs differ **"
        status=1
    fi
fi
exit "$status"
