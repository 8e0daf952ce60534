#!/usr/bin/env bash
# Builds the libFuzzer targets (scripts/build-native.sh --fuzz) and runs each on its seed
# corpus under tests/fuzz/corpus/<target>/ for the given seconds (default 60), printing the
# executions and their rate. New inputs that widen coverage go to build-native-fuzz/corpus/
# (not committed); a crash, leak or failed check stops the run with the input saved in
# build-native-fuzz/findings/ (commit it to the target's corpus once it is fixed).
# Usage: scripts/fuzz.sh [seconds per target] [target...]
#        scripts/fuzz.sh --replay [target...]   runs the committed corpora once, nothing new
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_NATIVE_DIR:-$root/build-native-fuzz}
export BUILD_NATIVE_DIR=$build
seconds=60
replay=0
if [ "${1:-}" = --replay ]; then
    replay=1
    shift
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
    seconds=$1
    shift
fi
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(decrypt_enc decrypt_wav decrypt_bmp decrypt_png definition options)

"$root/scripts/build-native.sh" --fuzz
mkdir -p "$build/findings"
status=0
for target in "${targets[@]}"; do
    program=$build/tests/fuzz/fuzz_$target
    seeds=$root/tests/fuzz/corpus/$target
    if [ $replay = 1 ]; then
        # Every committed input once: a finding that came back fails here.
        if ! "$program" -runs=0 "$seeds" >"$build/findings/$target.log" 2>&1; then
            echo "fuzz: $target: the committed corpus fails (see $build/findings/$target.log)" >&2
            status=1
        else
            echo "fuzz: $target: $(find "$seeds" -type f | wc -l) committed inputs replayed"
        fi
        continue
    fi
    grown=$build/corpus/$target
    mkdir -p "$grown"
    log=$build/findings/$target.log
    # A limit on memory per input: a header that asks for gigabytes is a finding, not a pass.
    if ! "$program" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
        -artifact_prefix="$build/findings/$target-" "$grown" "$seeds" >"$log" 2>&1; then
        echo "fuzz: $target: FINDING (see $log)" >&2
        status=1
    fi
    runs=$(awk '/stat::number_of_executed_units/ { print $NF }' "$log" | tail -1)
    rate=$(awk '/stat::average_exec_per_sec/ { print $NF }' "$log" | tail -1)
    echo "fuzz: $target: ${runs:-?} executions in ${seconds} s, ${rate:-?} per second"
done
exit $status
