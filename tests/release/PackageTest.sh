#!/usr/bin/env bash
# Packages the built programs as scripts/release.sh does (release/package.sh) into
# BUILD/release-test/dist and unpacks the zip into BUILD/release-test/unpacked, where
# release_install_test takes them. Checks what needs no Windows: the zip's tree, README.txt in
# CRLF, the checksums, and what keeps the files reproducible (no PE time, no build path).
# Arguments: the source tree, the build folder.
set -u
root=$1
build=$2
work=$build/release-test
fail() {
    echo "FAIL: $*"
    exit 1
}
rm -rf "$work"
mkdir -p "$work/unpacked"
"$root/release/package.sh" "$build" "$work/dist" >/dev/null || fail "package.sh failed"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$work/dist/KvrDecryptor-$version-win32.zip
[ -f "$work/dist/KvrDecryptor-$version-setup.exe" ] || fail "no setup for version $version"
(cd "$work/dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"

listing=$(python3 -m zipfile -l "$zip" | awk 'NR > 1 { sub(/ +[0-9-]+ [0-9:]+ +[0-9]+$/, ""); print }')
expected='KVR Decryptor/
KVR Decryptor/KvrDecryptor.exe
KVR Decryptor/kvr-decrypt.exe
KVR Decryptor/Keys/
KVR Decryptor/README.txt'
[ "$listing" = "$expected" ] || fail "zip holds: $listing"
python3 -m zipfile -e "$zip" "$work/unpacked" || fail "zip does not unpack"
folder=$work/unpacked/KVR\ Decryptor
[ -d "$folder/Keys" ] && [ -z "$(ls -A "$folder/Keys")" ] || fail "Keys is not an empty folder"

readme=$folder/README.txt
grep -q "KVR Decryptor $version" "$readme" || fail "README.txt without the version"
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "README.txt is not CRLF throughout"

for program in "$folder"/*.exe; do
    python3 - "$program" <<'PY' || fail "$program keeps a link time"
import struct, sys
data = open(sys.argv[1], "rb").read()
header = struct.unpack_from("<I", data, 0x3C)[0]
sys.exit(struct.unpack_from("<I", data, header + 8)[0] != 0)
PY
    if i686-w64-mingw32-strings -a "$program" | grep -q -e "$root" -e "$build"; then
        fail "$program names the build's folders"
    fi
done
echo "packaged and unpacked $version"
