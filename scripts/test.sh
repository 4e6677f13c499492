#!/usr/bin/env bash
# Installs what is missing, builds Loomwrite and its tests, runs the fuzzers briefly,
# then runs every test with ctest and installs and removes the Debian package once.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -d fuzz ] && command -v clang++ >/dev/null; then
  scripts/fuzz.sh "${FUZZ_SECONDS:-5}"
fi
(cd build && ctest --output-on-failure -j "${JOBS:-2}")
# The Debian package installed with apt-get puts the editor on PATH and in the menu; removed again.
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO env LW_BUILD_DIR="$PWD/build" python3 tests/packaging/test_deb_package.py --apt-install
