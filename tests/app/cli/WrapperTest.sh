#!/usr/bin/env bash
# The Linux wrapper scripts/kvr-decrypt over the bundled samples (a PNG carrier among them,
# which needs GDI+ started by the program): relative and absolute Linux
# paths, a trailing slash, a folder name with a blank, --keys=DIR, and the exit codes 0, 1
# and 2 passed through from the program, --test over every sample kind, and a call without
# a display whose output is captured, and a file named in characters of no ANSI code page.
# Run by CTest inside the Wine session of test.sh.
# Arguments: the source tree, the build folder, and optionally a native kvr-decrypt to run
# the same cases on instead of the wrapper (the call without a display is the wrapper's own).
set -u
root=$1
export BUILD_DIR=$2
export KVR_WINE_READY=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}
wrapper=${3:-$root/scripts/kvr-decrypt}
cd "$work" || fail "no work folder"
cp -r "$root/samples" in

"$wrapper" --quiet --keys in/Keys/ --out "$work/out dir" in/letters.enc "$work/in/song.wav" in/photo.png
status=$?
[ $status = 0 ] || fail "samples: exit $status"
cmp -s "out dir/letters/readme.txt" /dev/null && fail "empty readme"
[ -f "out dir/letters/letters/to-alice.txt" ] || fail "letters.enc not written"
[ -d "out dir/song/empty folder" ] || fail "song.wav folder entry missing"
grep -q "came out of song.wav" "out dir/song/readme.txt" || fail "song.wav content"
grep -q "came out of photo.png" "out dir/photo/readme.txt" || fail "photo.png content"

"$wrapper" --quiet --keys=in/Keys in/plain.enc
status=$?
[ $status = 0 ] || fail "beside the file: exit $status"
grep -q "came out of plain.enc" in/plain/readme.txt || fail "plain.enc not written beside itself"

output=$("$wrapper" --quiet --keys in/Keys in/missing.enc 2>&1)
status=$?
[ $status = 1 ] || fail "missing file: exit $status"
case $output in
    *"missing.enc: no such file"*) ;;
    *) fail "missing file message: $output" ;;
esac

# Every sample kind tests intact, and nothing is written.
output=$("$wrapper" --test --keys in/Keys in/*.enc in/*.wav in/*.bmp in/*.png 2>&1)
status=$?
[ $status = 0 ] || fail "--test: exit $status: $output"
[ "$(grep -c ': ok' <<<"$output")" = 5 ] || fail "--test output: $output"
[ -e in/picture ] && fail "--test wrote picture"

# Any file name: it reaches the program whole, and its name comes back through a pipe in UTF-8.
cp in/plain.enc "in/日本 – Müller.enc"
output=$("$wrapper" --test --keys in/Keys "in/日本 – Müller.enc" 2>&1 | cat)
case $output in
    *"日本 – Müller.enc: ok"*) ;;
    *) fail "any name, --test: $output" ;;
esac
"$wrapper" --quiet --keys in/Keys "in/日本 – Müller.enc" || fail "any name: exit $?"
grep -q "came out of plain.enc" "in/日本 – Müller/readme.txt" || fail "any name: not written"

"$wrapper" --bogus in/plain.enc >/dev/null 2>&1
status=$?
[ $status = 2 ] || fail "usage error: exit $status"
[ -n "${3:-}" ] && exit 0
# On its own (no display, its own prefix, a server that lingers briefly), with its output
# captured: the call must return as soon as the program ends.
output=$(env -u KVR_WINE_READY -u DISPLAY KVR_CLI_LINGER=2 timeout 120 "$wrapper" --keys in/Keys --out "$work/alone" \
    in/plain.enc 2>&1)
status=$?
[ $status = 0 ] || fail "standalone: exit $status: $output"
grep -q "came out of plain.enc" "$work/alone/plain/readme.txt" || fail "standalone: not written"
output=${output//$'\r'/}  # the C runtime writes text lines with CR LF
[ "$output" = "plain.enc [##############################] 100% writing" ] || fail "standalone output: $output"
echo "wrapper: all checks passed"
