#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs the whole test suite twice: in the normal build and
# under AddressSanitizer + UndefinedBehaviorSanitizer; the parallel search also under ThreadSanitizer.
# One line per phase with its time, and each run's test summary; the whole output of a phase only
# when it fails (or, for a build, when the compiler warns).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh" --test --quiet
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/quivra-runtime-$(id -u)}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

# phase NAME COMMAND...: the command's output goes to the log; one line with the time after it.
phase() {
  local name="$1" start=$SECONDS; shift
  if ! "$@" >"$log" 2>&1; then
    grep -v '^\[ *[0-9]*%\]' "$log" >&2 || true
    echo "== $name: failed after $((SECONDS - start)) s" >&2
    exit 1
  fi
  if grep -qE 'warning:|CMake Warning' "$log"; then grep -v '^\[ *[0-9]*%\]' "$log"; fi
  echo "== $name: $((SECONDS - start)) s"
}
# The summary ctest ends with: the share passed, the time, any skipped or failed tests.
summary() { sed -n '/tests passed, /,$p' "$log"; }

build() {
  local dir="$1"; shift
  # Tests on explicitly: play.sh turns them off in the same build folder.
  cmake -S "$root" -B "$dir" -DQUIVRA_TESTS=ON "$@" && cmake --build "$dir" -j"$jobs"
}
run_suite() {
  local dir="$1"; shift
  phase "$(basename "$dir"): configure and build" build "$dir" "$@"
  phase "$(basename "$dir"): tests" ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs"
  summary
}

run_suite "$root/build" -DCMAKE_BUILD_TYPE=Release -DQUIVRA_SANITIZE=OFF -DQUIVRA_BENCH=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp" \
  run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQUIVRA_SANITIZE=ON -DQUIVRA_BENCH=OFF

# The parallel candidate search under ThreadSanitizer: only the maze library and the search's tests.
phase "build-tsan: configure and build" build "$root/build-tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIVRA_TSAN=ON
TSAN_OPTIONS=halt_on_error=1 phase "build-tsan: tests" \
  ctest --test-dir "$root/build-tsan" --output-on-failure --no-tests=error -R CandidateSearch
summary
