#!/usr/bin/env bash
# The complexity gate: clang-tidy's function size and cognitive complexity
# checks over the program's own sources, failing on any finding. Reads the
# compile commands of an existing build (BUILD_DIR, default: build).
# Usage: scripts/tidy.sh [FOLDER...]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
tidy="$(command -v clang-tidy-14 || command -v clang-tidy)"
# Arguments narrow the check to those folders (default: every program folder).
folders=("$@")
[ ${#folders[@]} -eq 0 ] && folders=(base colors fonts plot readouts antenna numbers jpeg formats labelled render wire widgets app)
mapfile -t files < <(for f in "${folders[@]}"; do git ls-files "$f/*.cpp"; done)
config='{Checks: "-*,readability-function-cognitive-complexity,readability-function-size",
  WarningsAsErrors: "*",
  CheckOptions: [{key: readability-function-cognitive-complexity.Threshold, value: 25},
                 {key: readability-function-cognitive-complexity.IgnoreMacros, value: true},
                 {key: readability-function-size.LineThreshold, value: 80}]}'
printf '%s\0' "${files[@]}" |
    xargs -0 -P "$(nproc)" -n 4 "$tidy" -p "$build_dir" --quiet --config="$config"
