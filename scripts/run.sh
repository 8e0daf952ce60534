#!/usr/bin/env bash
# The main job. Installs what is missing and builds, then:
#   scripts/run.sh            the program's window: on this machine's display when there is one
#                             (drop files on it); without a display, the demo of
#                             scripts/gui-demo.sh (samples dropped on the window of a private
#                             virtual display, screenshots and decrypted files under out/gui-<time>/)
#   scripts/run.sh --demo     that demo, even with a display
#   scripts/run.sh --scale S  that demo with the display at S times 96 DPI (2: 200 %); the
#                             screenshots land in out/gui-<time>/ as ever
#   scripts/run.sh --cli      the command-line front end over the bundled samples, into a fresh
#                             folder out/samples-<time>/ (with samples/Keys as the key folder)
#   scripts/run.sh [--keys DIR] [--out DIR] [--overwrite | --no-overwrite] [--quiet] FILE...
#                             the command-line front end over those files (ordinary Linux paths;
#                             without --keys the Keys folder beside the program is used, and a key
#                             lying beside the file is found too). Exit code: that of kvr-decrypt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR

if [ $# -eq 0 ] && [ -n "${DISPLAY:-}" ]; then
    "$root/scripts/build.sh" KvrDecryptor
    echo "KVR Decryptor is open: drop a .enc, .wav, .bmp or .png file (or a .key) on it; right-click for the menu." >&2
    exec "$root/scripts/wine-run.sh" "$build/app/KvrDecryptor.exe"
fi
if [ "${1:-}" = --scale ]; then
    [ $# -ge 2 ] || { echo "run.sh: --scale needs a factor (for example 2)" >&2; exit 2; }
    KVR_DEMO_SCALE=$2 exec "$root/scripts/gui-demo.sh"
fi
if [ $# -eq 0 ] || [ "$1" = --demo ]; then
    exec "$root/scripts/gui-demo.sh"
fi
cli_samples=0
if [ "$1" = --cli ]; then
    cli_samples=1
    shift
fi

"$root/scripts/build.sh" kvr-decrypt

# Lists a folder's content as an indented tree with file sizes.
show_tree() {
    local folder=$1
    echo "$folder/"
    find "$folder" -mindepth 1 -printf '%P\t%y\t%s\n' | sort | while IFS=$'\t' read -r rel type size; do
        local depth=${rel//[^\/]/}
        local indent
        indent=$(printf '%*s' $(( (${#depth} + 1) * 2 )) '')
        if [ "$type" = d ]; then
            echo "$indent${rel##*/}/"
        else
            printf '%s%-28s %10s bytes\n' "$indent" "${rel##*/}" "$size"
        fi
    done
}

if [ $cli_samples = 1 ]; then
    out=$root/out/samples-$(date +%Y%m%d-%H%M%S)
    mkdir -p "$out"
    samples=()
    for f in "$root"/samples/*.enc "$root"/samples/*.wav "$root"/samples/*.bmp "$root"/samples/*.png; do
        [ -f "$f" ] && samples+=("$f")
    done
    if [ ${#samples[@]} -eq 0 ]; then
        echo "run.sh: no samples in $root/samples" >&2
        exit 1
    fi
    echo "Decrypting ${#samples[@]} samples into $out" >&2
    set +e
    "$root/scripts/kvr-decrypt" --keys "$root/samples/Keys" --out "$out" "${samples[@]}"
    status=$?
    set -e
    echo
    show_tree "$out"
    if [ $status = 0 ]; then
        echo "All ${#samples[@]} samples decrypted into $out" >&2
    else
        echo "kvr-decrypt ended with exit code $status" >&2
    fi
    exit $status
fi

set +e
"$root/scripts/kvr-decrypt" "$@"
status=$?
set -e

# Show the output folder of each file: --out, or the file's own folder, + the file's title.
out=
files=()
options_ended=0
while [ $# -gt 0 ]; do
    arg=$1
    shift
    if [ $options_ended = 0 ]; then
        case $arg in
            --) options_ended=1; continue ;;
            --keys) shift || true; continue ;;
            --out) out=${1:-}; shift || true; continue ;;
            --out=*) out=${arg#--out=}; continue ;;
            -?*) continue ;;
        esac
    fi
    files+=("$arg")
done
for f in "${files[@]}"; do
    base=$(basename "$f")
    folder=${out:-$(dirname "$f")}/${base%.*}
    [ -d "$folder" ] && { echo; show_tree "$folder"; }
done
exit $status
