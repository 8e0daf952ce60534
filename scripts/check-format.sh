#!/usr/bin/env bash
# Fails when a tracked C++ file drifts from the repository's .clang-format;
# with --fix it reformats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
    exec clang-format -i "${files[@]}"
fi
exec clang-format --dry-run --Werror "${files[@]}"
