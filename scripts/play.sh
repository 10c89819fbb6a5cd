#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the game and starts it, handing it the options given.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Asking how to use it installs and builds nothing.
for arg in "$@"; do
  if [ "$arg" = --help ] || [ "$arg" = -h ]; then
    cat <<'USAGE'
Usage: bash scripts/play.sh [OPTION...]
Installs any missing packages, builds the game (in build/) and starts it with the options given:
  --code CODE   play the maze a code names, e.g. --code S15x10-11882719-Y
  --view VIEW   start in that view: overview, first-person or plan
  --version     print the game's version
  -h, --help    print this text and exit (nothing is installed or built)
USAGE
    exit 0
  fi
done

# Without a display Qt aborts with a long message about reinstalling; say what is wrong instead.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Quivra needs a desktop session (X11 or Wayland) or a virtual one such as Xvfb: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  exit 1
fi

# Quiet on a normal start: a line before installing and after it, one before a first build, and errors.
bash "$root/scripts/install-deps.sh" --play --quiet
[ -x "$root/build/app/quivra" ] || echo "Building Quivra (the first build takes about a minute)..."
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DQUIVRA_SANITIZE=OFF -DQUIVRA_TESTS=OFF -DQUIVRA_BENCH=OFF >/dev/null
if ! log="$(cmake --build "$root/build" -j"$(nproc)" --target quivra 2>&1)"; then
  printf '%s\n' "$log" >&2
  exit 1
fi

status=0
"$root/build/app/quivra" "$@" || status=$?
if [ "$status" -eq 134 ]; then
  echo "Quivra could not open a window on DISPLAY='${DISPLAY:-}' WAYLAND_DISPLAY='${WAYLAND_DISPLAY:-}': it needs a desktop session (or Xvfb)." >&2
fi
exit "$status"
