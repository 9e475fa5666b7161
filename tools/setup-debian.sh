#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, only those that are missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libsdl2-image-dev libfluidsynth-dev
  timgm6mb-soundfont fonts-vlgothic fonts-dejavu-core librsvg2-dev libcairo2-dev
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xdotool x11-apps imagemagick sox fluidsynth
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
