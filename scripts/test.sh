#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs the whole test suite twice: in the normal
# build and under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh" --test
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/quivra-runtime-$(id -u)}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

run_suite() {
  local dir="$1"; shift
  echo "== $(basename "$dir"): configure and build"
  # Tests on explicitly: play.sh turns them off in the same build folder.
  cmake -S "$root" -B "$dir" -DQUIVRA_TESTS=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== $(basename "$dir"): tests"
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs"
}

run_suite "$root/build" -DCMAKE_BUILD_TYPE=Release -DQUIVRA_SANITIZE=OFF -DQUIVRA_BENCH=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp" \
  run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQUIVRA_SANITIZE=ON -DQUIVRA_BENCH=OFF

# The parallel candidate search under ThreadSanitizer: only the maze library and the search's tests.
echo "== build-tsan: configure and build"
cmake -S "$root" -B "$root/build-tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIVRA_TSAN=ON >/dev/null
cmake --build "$root/build-tsan" -j"$jobs"
echo "== build-tsan: tests"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir "$root/build-tsan" --output-on-failure -R CandidateSearch
