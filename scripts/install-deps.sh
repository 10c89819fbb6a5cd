#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Quivra needs (Debian 12 or 13), if any are missing.
#   install-deps.sh            build and run
#   install-deps.sh --play     also the Wayland platform plugin and the bell sound's player and theme
#   install-deps.sh --test     also the validators the test suite runs
#   install-deps.sh --package  also what building the .deb needs
#   install-deps.sh --lint     also lintian, to check the .deb
#   install-deps.sh --quiet    what it installs and how long that took in two lines; apt's and dpkg's
#                              output only when they fail
set -euo pipefail

packages=(
  build-essential cmake
  pkg-config              # finds libcanberra for the build
  qt6-base-dev            # Qt 6 Widgets, Gui and Test, with the xcb and offscreen platforms
  qt6-svg-dev             # quivra-tool's SVG output
  libgtest-dev libbenchmark-dev
  fonts-wqy-microhei      # a CJK font: without one every Chinese caption is a row of boxes
  qt6-translations-l10n   # Qt's own Chinese texts for the standard buttons
  qt6-l10n-tools qt6-tools-dev   # lupdate and lrelease, and CMake's qt_add_translations for translations/
  libcanberra-dev         # the desktop's bell sound for a blocked move
)
quiet=0
for group in "$@"; do
  case "$group" in
    --quiet)   quiet=1 ;;
    --play)    # without qt6-wayland Qt aborts when only Wayland is there; the bell needs the sound
               # server's backend and the freedesktop sound theme; worksheet titles in Indian scripts need their fonts
               packages+=(qt6-wayland libcanberra-pulse sound-theme-freedesktop fonts-lohit-deva fonts-lohit-beng-bengali fonts-lohit-taml) ;;
    --test)    packages+=(desktop-file-utils appstream poppler-utils librsvg2-bin locales-all) ;;   # validators; SVG/PDF back to pictures; every locale (comma-decimal desktops)
    --package) packages+=(dpkg-dev file) ;;                  # CPack's shlibdeps needs dpkg-shlibdeps and file
    --lint)    packages+=(lintian) ;;
    *) echo "install-deps.sh: unknown option '$group' (--play, --test, --package or --lint)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
install() {
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
if [ "$quiet" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  install
else
  # apt says nothing for minutes on a fresh machine: say what is coming first.
  echo "Installing ${#missing[@]} missing packages with what they need (apt-get; a few minutes on a fresh machine): ${missing[*]}"
  start=$SECONDS
  log="$(mktemp)"
  trap 'rm -f "$log"' EXIT
  install >"$log" 2>&1 || { cat "$log" >&2; echo "install-deps.sh: could not install ${missing[*]}" >&2; exit 1; }
  echo "Installed in $((SECONDS - start)) s."
fi
