#!/usr/bin/env bash
# The Windows kvr-decrypt (through scripts/kvr-decrypt, in the Wine session of test.sh) and the
# native one on the bundled samples and on the archives and carriers make-carriers writes:
# both must write the same files, byte for byte. Arguments: the source tree, the Windows
# build folder, the native build folder.
set -u
root=$1
export BUILD_DIR=$2
native=$3
export KVR_WINE_READY=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}
mkdir -p "$work/in" "$work/windows" "$work/native"
"$native/tests/native/make-carriers" "$root/samples/Keys/project.key" "$work/in" || fail "make-carriers"
cp "$root"/samples/*.enc "$root"/samples/*.bmp "$root"/samples/*.png "$work/in/"
# A title names the output folder: the sample song may not meet the generated one.
cp "$root/samples/song.wav" "$work/in/sample-song.wav"
sources=("$work"/in/*)
"$root/scripts/kvr-decrypt" --quiet --keys "$root/samples/Keys" --out "$work/windows" "${sources[@]}" ||
    fail "Windows kvr-decrypt: exit $?"
"$native/app/cli/kvr-decrypt" --quiet --keys "$root/samples/Keys" --out "$work/native" "${sources[@]}" ||
    fail "native kvr-decrypt: exit $?"
[ "$(find "$work/windows" -type f | wc -l)" -ge $((${#sources[@]} * 2)) ] || fail "too few files written"
diff -r "$work/windows" "$work/native" || fail "the outputs differ"
echo "same output from ${#sources[@]} sources"
