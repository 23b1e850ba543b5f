#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DDIPOLE_BUILD_TESTS=OFF -DDIPOLE_BUILD_BENCHMARKS=OFF
exec "${BUILD_DIR:-build}/app/dipole-pattern"
