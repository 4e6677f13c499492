#!/usr/bin/env bash
# Installs what is missing, builds Loomwrite and its tests, runs the fuzzers briefly,
# then runs every test with ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -d fuzz ] && command -v clang++ >/dev/null; then
  scripts/fuzz.sh "${FUZZ_SECONDS:-5}"
fi
cd build
ctest --output-on-failure -j "${JOBS:-2}"
