#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the programs and makes the Debian
# package dipole-pattern_<version>_<arch>.deb in the build folder (BUILD_DIR,
# default build). Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build}"
scripts/setup.sh
scripts/build.sh "$@"
rm -f "$build_dir"/dipole-pattern_*.deb
cpack --config "$build_dir/CPackConfig.cmake" -B "$build_dir"
