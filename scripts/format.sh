#!/usr/bin/env bash
# Formats every C++ source with the project's .clang-format; with --check it
# changes nothing and fails when a file is not formatted, or when any tracked
# file still holds a merge's conflict markers (no compiler reads a manual
# page or a translation file, so nothing else would notice them).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
    if git grep -n -I -E '^(<<<<<<< |>>>>>>> )'; then
        echo "format: merge conflict markers left in the files above" >&2
        exit 1
    fi
    clang-format --dry-run --Werror "${files[@]}"
else
    clang-format -i "${files[@]}"
fi
