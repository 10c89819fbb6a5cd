#!/usr/bin/env bash
# Installs the Debian 12 packages Quivra needs to build, test and run, if any are missing.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev            # Qt 6 Widgets, Gui and Test, with the xcb and offscreen platforms
  libgtest-dev libbenchmark-dev
  fonts-wqy-microhei      # a CJK font: without one every Chinese caption is a row of boxes
  qt6-translations-l10n   # Qt's own Chinese texts for the standard buttons
  libcanberra-dev         # the desktop's bell sound for a blocked move
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
