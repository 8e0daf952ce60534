#!/usr/bin/env bash
# Builds the benchmark and runs it under Wine (a private session, no sound), then times the
# archive tool users already have beside it: the same entries as a deflate zip, extracted
# natively by 7-Zip ("7z x"), against the engine's in-process time, the whole
# scripts/kvr-decrypt command on the compressed archive, and the native Linux kvr-decrypt
# (scripts/build-native.sh) on the same archive. Arguments go to kvr-bench:
# [--size-mb N (256)] [--carrier-mb N (64)] [--only NAME]. Needs about 3 GB of disk under
# /tmp while it runs, and installs p7zip-full when it is missing.
# --cli-only times a cold and a warm call of the command line and stops there.
# KVR_BENCH_APP=0 leaves out the window's figures (app-bench); KVR_BENCH_ROUNDS (3) sets the
# rounds of the comparison with 7-Zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR
"$root/scripts/install-deps.sh" --bench
"$root/scripts/build.sh" kvr-bench kvr-decrypt app-bench dialog-bench
"$root/scripts/build-native.sh" kvr-decrypt
native_cli=$root/build-native/app/cli/kvr-decrypt

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
# What earlier work (builds, other programs) left for the disk goes out now, not during the
# measurements.
sync
# Waits (at most 60 s) until the block devices have written less than 1 MB a second for two
# seconds in a row (the file system's journal still writes a little now and then).
wait_for_quiet_disk() {
    local previous current quiet=0
    previous=$(awk '{ s += $10 } END { print s }' /proc/diskstats)
    for _ in $(seq 60); do
        sleep 1
        current=$(awk '{ s += $10 } END { print s }' /proc/diskstats)
        if [ $((current - previous)) -lt 2048 ]; then quiet=$((quiet + 1)); else quiet=0; fi
        previous=$current
        [ $quiet -ge 2 ] && return 0
    done
    echo "bench: the disk did not go quiet; figures may be disturbed by write-back" >&2
}
wait_for_quiet_disk
export KVR_NO_SOUND=1
# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh"

work=$(mktemp -d /tmp/kvr-bench.XXXXXX)
trap 'rm -rf "$work"; session_stop' EXIT
report=$work/report.txt
# The inputs are made first; their writes (and the deletions of an earlier run) must be on
# the disk before anything is timed, or the system's write-back runs through the first rounds.
folder="Z:${work//\//\\}"
wine "$build/bench/kvr-bench.exe" --folder "$folder" --make-only --zip "$@" >/dev/null
sync
wait_for_quiet_disk
set +e
wine "$build/bench/kvr-bench.exe" --folder "$folder" --reuse --zip "$@" | tee "$report"
status=${PIPESTATUS[0]}
# The window's own figures: tick rate while decrypting, idle CPU, working set over many drops.
# At 100 % and at 200 % (the prefix's display DPI, read by a program as it starts; 96 again after).
if [ "${KVR_BENCH_APP:-1}" != 0 ]; then
    wine "$build/bench/app-bench.exe" || status=$?
    desktop='HKCU\Control Panel\Desktop'
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 192 /f >/dev/null
    echo "At 200 %:"
    wine "$build/bench/app-bench.exe" || status=$?
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
fi
# A dialog built from the costliest definition the reader accepts.
wine "$build/bench/dialog-bench.exe" || status=$?
set -e


engine=$(awk '$1 == "in-process" { print $3 }' "$report")
if [ -n "$engine" ] && [ -f "$work/large-compressed.zip" ]; then
    rounds=${KVR_BENCH_ROUNDS:-3}
    # The median of the seconds on standard input, one a line.
    median() {
        sort -n | awk '{ v[NR] = $1 } END {
            if (NR % 2) printf "%.3f", v[(NR + 1) / 2]; else printf "%.3f", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
    }
    # Both tools read their input from the page cache, as the engine's rounds did.
    cat "$work/large-compressed.zip" "$work/large-compressed.enc" >/dev/null
    kvr_call() {
        "$root/scripts/kvr-decrypt" --quiet --keys "$work/Keys" --out "$work/out-kvr" "$work/large-compressed.enc"
    }
    native_call() {
        "$native_cli" --quiet --keys "$work/Keys" --out "$work/out-native" "$work/large-compressed.enc"
    }
    fresh_outputs() {
        rm -rf "$work/out-7z" "$work/out-kvr" "$work/out-native"
        mkdir -p "$work/out-7z" "$work/out-kvr" "$work/out-native"
    }
    fresh_kvr_output() { rm -rf "$work/out-kvr" && mkdir -p "$work/out-kvr"; }
    # Interleaved: 7-Zip, then the command in the Wine session of this script, still running.
    for _ in $(seq "$rounds"); do
        fresh_outputs
        seconds_of 7z x -y "-o$work/out-7z" "$work/large-compressed.zip" >>"$work/t-7z"; echo >>"$work/t-7z"
        seconds_of native_call >>"$work/t-native"; echo >>"$work/t-native"
        KVR_WINE_READY=1 seconds_of kvr_call >>"$work/t-session"; echo >>"$work/t-session"
    done
    session_stop
    trap 'rm -rf "$work"' EXIT
    # The command as a user runs it, on its own prefix: from cold (no Wine server, as on the
    # first call of a session), then again at once (its server lingers between calls).
    cli_prefix=$build/wine-cli
    for _ in $(seq "$rounds"); do
        WINEPREFIX=$cli_prefix wineserver -k >/dev/null 2>&1 || true
        WINEPREFIX=$cli_prefix wineserver -w >/dev/null 2>&1 || true
        fresh_kvr_output
        seconds_of kvr_call >>"$work/t-cold"; echo >>"$work/t-cold"
        fresh_kvr_output
        seconds_of kvr_call >>"$work/t-warm"; echo >>"$work/t-warm"
        # Wine alone: the same cold start with a call that only prints its usage.
        WINEPREFIX=$cli_prefix wineserver -k >/dev/null 2>&1 || true
        WINEPREFIX=$cli_prefix wineserver -w >/dev/null 2>&1 || true
        seconds_of "$root/scripts/kvr-decrypt" --help >>"$work/t-start"; echo >>"$work/t-start"
    done
    sevenzip=$(median <"$work/t-7z")
    zip_mb=$(du -m "$work/large-compressed.zip" | cut -f1)
    printf '\nBeside 7-Zip: the entries of large-compressed.enc as a %s MB deflate zip\n' "$zip_mb"
    printf 'Method: medians of %s rounds; 7z and the command interleaved, inputs in the page cache.\n' "$rounds"
    printf '  %-58s %8s %8s\n' "" "seconds" "x 7z"
    row() { printf '  %-58s %8s %8s\n' "$1" "$2" "$(awk -v a="$2" -v b="$sevenzip" 'BEGIN { printf "%.2f", a / b }')"; }
    row "7z x (native)" "$sevenzip"
    row "native kvr-decrypt (build-native, no Wine)" "$(median <"$work/t-native")"
    row "engine in-process (RE_WORK_BEGIN..RE_WORK_END)" "$engine"
    row "scripts/kvr-decrypt, in this script's running Wine session" "$(median <"$work/t-session")"
    row "scripts/kvr-decrypt, its Wine server still running (warm)" "$(median <"$work/t-warm")"
    row "scripts/kvr-decrypt, from cold (Wine server started)" "$(median <"$work/t-cold")"
    row "  of which Wine start-up alone (kvr-decrypt --help, cold)" "$(median <"$work/t-start")"
    if ! diff -rq "$work/out-7z" "$work/out-kvr/large-compressed" >/dev/null ||
        ! diff -rq "$work/out-7z" "$work/out-native/large-compressed" >/dev/null; then
        echo "  ** the two tools' outputs differ **"
        status=1
    fi
fi
exit "$status"
