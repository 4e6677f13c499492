#!/usr/bin/env bash
# Rebuilds the image generator and redraws the toolbar strips, menu images and icons
# in src/resources/images/. Extra arguments go to the generator, for example
#   bash scripts/make-images.sh --preview /tmp/loomwrite-preview
# to also write enlarged contact sheets for checking the pictures by eye.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-tools}
cmake -S . -B "$BUILD_DIR" -G Ninja -DLW_BUILD_TOOLS=ON >/dev/null
cmake --build "$BUILD_DIR" -j "${JOBS:-2}" --target lw_imagegen
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/tools/imagegen/lw_imagegen" src/resources/images "$@"
