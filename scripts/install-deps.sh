#!/usr/bin/env bash
# Installs what building, running and testing Loomwrite needs on Debian 12.
set -euo pipefail
PKGS=(
  build-essential cmake ninja-build ccache pkg-config clang
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libqt6svg6 qt6-svg-dev
  qt6-webengine-dev qt6-webengine-dev-tools libqt6webenginecore6-bin
  qt6-webchannel-dev qt6-declarative-dev libqt6opengl6-dev libgl-dev
  libgtest-dev libgmock-dev googletest
  xvfb xauth xdotool x11-utils xdg-utils imagemagick python3 openbox
  fonts-dejavu-core fonts-liberation
  chromium libgumbo-dev hunspell-en-us hunspell-de-de
  desktop-file-utils appstream dpkg-dev
  stress-ng
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
