#!/usr/bin/env bash
# Packages already built programs into the release files:
#   OUT/KvrDecryptor-<version>-win32.zip   folder "KVR Decryptor\": the stripped programs, an
#                                          empty Keys\ and README.txt (CRLF)
#   OUT/KvrDecryptor-<version>-setup.exe   the per-user installer (installer.nsi)
#   OUT/SHA256SUMS
# Usage: release/package.sh BUILD_DIR OUT_DIR
# The version is the top-level project's, read from the build folder's cache. The same programs
# give the same bytes every time: stripping keeps the PE header without a time, the zip's
# entries carry the time of the last commit (SOURCE_DATE_EPOCH when set) in a fixed order.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
if [ -z "$version" ]; then
    echo "package: no project version in $build/CMakeCache.txt" >&2
    exit 1
fi
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1767225600)
fi

# The build's own strip: the release is 32-bit, a test build may be 64-bit.
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$build/CMakeCache.txt")
installer_target=()
case "$strip" in *x86_64*) installer_target=(-DAMD64) ;; esac

stage=$(mktemp -d /tmp/kvr-package.XXXXXX)
trap 'rm -rf "$stage"' EXIT
# strip writes the current time into the PE header unless told a time: 0, as the link left it.
SOURCE_DATE_EPOCH=0 "$strip" -o "$stage/KvrDecryptor.exe" "$build/app/KvrDecryptor.exe"
SOURCE_DATE_EPOCH=0 "$strip" -o "$stage/kvr-decrypt.exe" "$build/app/cli/kvr-decrypt.exe"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/README.txt" >"$stage/README.txt"

zip=$out/KvrDecryptor-$version-win32.zip
setup=$out/KvrDecryptor-$version-setup.exe
rm -f "$zip" "$setup" "$out/SHA256SUMS"
python3 - "$stage" "$zip" "$SOURCE_DATE_EPOCH" <<'PY'
import sys, time, zipfile
stage, target, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip cannot hold a time before 1980
folder = "KVR Decryptor/"
entries = [(folder, None), (folder + "KvrDecryptor.exe", "KvrDecryptor.exe"),
           (folder + "kvr-decrypt.exe", "kvr-decrypt.exe"), (folder + "Keys/", None),
           (folder + "README.txt", "README.txt")]
with zipfile.ZipFile(target, "w") as archive:
    for name, source in entries:
        info = zipfile.ZipInfo(name, stamp)
        info.create_system = 0  # MS-DOS attributes, as Windows' own zip folders write them
        if source is None:
            info.external_attr = 0x10  # directory
            archive.writestr(info, b"")
        else:
            info.external_attr = 0x20  # archive bit, an ordinary file
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(stage + "/" + source, "rb") as data:
                archive.writestr(info, data.read(), compresslevel=9)
PY

makensis -V2 -NOCD "${installer_target[@]}" "-DVERSION=$version" "-DSTAGE=$stage" "-DOUTFILE=$setup" \
    "-DICON=$root/resources/generated/icon-107.ico" "$here/installer.nsi" >/dev/null
(cd "$out" && sha256sum "$(basename "$zip")" "$(basename "$setup")" >SHA256SUMS)
echo "$zip"
echo "$setup"
