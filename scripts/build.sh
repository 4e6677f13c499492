#!/usr/bin/env bash
# Configures and builds Loomwrite into build/ (two jobs, ccache).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLW_WERROR=ON "$@" >/dev/null
cmake --build "$BUILD_DIR" -j "${JOBS:-2}"
