#!/usr/bin/env bash
# Builds Loomwrite and retakes the screenshots in packaging/screenshots/ (shown by the
# AppStream metadata) from the real program under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
python3 packaging/make_screenshots.py "${BUILD_DIR:-build}/loomwrite" packaging/screenshots
