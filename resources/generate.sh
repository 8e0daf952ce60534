#!/usr/bin/env bash
# Draws every picture, sound and icon of the program again, with the Appearance definition, the
# resource script and the contact sheet, into resources/. The output is byte-identical on every
# run, so the build uses the committed files and never needs the generator.
# Usage: resources/generate.sh          rewrite the committed files
#        resources/generate.sh --check  generate into a temporary folder and compare
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3

have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
need=()
for p in python3 python3-cairo python3-numpy fonts-dejavu-core; do have "$p" || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" != 0 ]; then
        echo "missing packages: ${need[*]} (run this as root to install them)" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# No byte code beside the sources.
export PYTHONDONTWRITEBYTECODE=1
if [ "${1:-}" != --check ]; then
    "$python" "$here/generator/generate.py" "$here"
    exit 0
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$python" "$here/generator/generate.py" "$scratch"
status=0
diff -rq "$here/generated" "$scratch/generated" || status=1
cmp "$here/resources.rc" "$scratch/resources.rc" || status=1
cmp "$here/contact-sheet.png" "$scratch/contact-sheet.png" || status=1
if [ $status -ne 0 ]; then
    echo "the generated resources differ from the committed ones: run resources/generate.sh" >&2
    exit 1
fi
echo "resources: $(ls "$scratch/generated" | wc -l) generated files identical to the committed ones"
