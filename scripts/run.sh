#!/usr/bin/env bash
# Installs what is missing, builds Loomwrite and starts it (arguments go to the editor).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ "$(id -u)" -eq 0 ]; then
  # Chromium refuses its sandbox when run as root.
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec build/loomwrite "$@"
