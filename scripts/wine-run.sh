#!/usr/bin/env bash
# Runs one Windows program under Wine with the build folder's private prefix.
# CTest uses it as the cross-compiling emulator; scripts/test.sh sets up the display and sound.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-${BUILD_DIR:-$root/build}/wineprefix}
source "$root/scripts/windows-arch.sh"
export WINEDEBUG=-all
# No Mono or Gecko installer pop-ups on first use of a prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
exec wine "$@"
