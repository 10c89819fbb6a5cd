#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the committed PNG icons from the scalable one (needs rsvg-convert, from librsvg2-bin).
# Run it after editing data/icons/hicolor/scalable/apps/dev.quivra.Quivra.svg and commit the PNGs.
set -euo pipefail
icons="$(cd "$(dirname "${BASH_SOURCE[0]}")/../data/icons/hicolor" && pwd)"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$icons/scalable/apps/dev.quivra.Quivra.svg" \
    -o "$icons/${size}x${size}/apps/dev.quivra.Quivra.png"
done
