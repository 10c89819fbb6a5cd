#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DQUIVRA_TESTS=OFF -DQUIVRA_BENCH=OFF >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target quivra
exec "$root/build/app/quivra"
