#!/usr/bin/env bash
# Installs every Debian package that building and testing PLK-CE needs.
# Safe to run again: apt-get runs only when something is missing.
set -euo pipefail

# qt6-base-dev brings Qt Core, Gui, Widgets and PrintSupport; qt6-qpa-plugins the X11
# platform plugin the editor runs on; qt6-translations-l10n Qt's own Japanese texts for
# the file, print and message dialogs; qt6-l10n-tools lrelease and lupdate for the editor's
# own translations; libx11-dev the lock keys' states. clang with its
# runtime libraries builds the fuzz targets (libFuzzer). giflib, libimagequant and libwebp
# write animated GIF and WebP. openbox, xdotool, imagemagick and pngquant drive the editor
# for the guide's pictures (tools/guide_shots.sh).
packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libx11-dev libspng-dev zlib1g-dev
  qt6-l10n-tools
  libsdl2-dev libsdl2-mixer-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic
  libgif-dev libimagequant-dev libwebp-dev
  xvfb xauth
  openbox xdotool imagemagick pngquant
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
