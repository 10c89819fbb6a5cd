#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Memcheck over the test executables and one whole game build of each style (through
# quivra-tool render). Any invalid access, use of uninitialised memory or definite/indirect leak
# fails the run. Slow (tens of minutes): not part of CI.
#   scripts/valgrind.sh [build-dir]     (default build-valgrind, configured RelWithDebInfo)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dir="${1:-$root/build-valgrind}"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/quivra-runtime-$(id -u)}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The random event test with a short run; the huge-window test is left to the normal suite.
export QUIVRA_MONKEY_EVENTS="${QUIVRA_MONKEY_EVENTS:-400}"

if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIVRA_BENCH=OFF >/dev/null
fi
tests=(maze_tests game_tests render_tests hex_tests app_tests tool_tests robustness_tests)
cmake --build "$dir" -j"$(nproc)" --target "${tests[@]}" quivra-tool

memcheck=(valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect
          --errors-for-leak-kinds=definite,indirect --track-origins=yes --num-callers=30 --quiet)
log="$dir/valgrind"
mkdir -p "$log"
status=0
run() {
  local name="$1"; shift
  printf '== %-40s ' "$name"
  if "${memcheck[@]}" --log-file="$log/$name.log" "$@" >"$log/$name.out" 2>&1; then
    echo "clean"
  else
    echo "FAILED (see $log/$name.log)"
    status=1
  fi
}

for t in "${tests[@]}"; do
  exe="$(find "$dir/tests" -type f -name "$t" -perm -u+x | head -n1)"
  [ -n "$exe" ] || { echo "== $t not built"; status=1; continue; }
  filter='*'
  [ "$t" = robustness_tests ] && filter='-WindowSizes.EightKAndSixteenThousandByNineThousand'
  run "$t" "$exe" --gtest_filter="$filter"
done
for style in square hex; do
  run "render-$style-1280x960" "$dir/tools/quivra-tool" render --style "$style" --size 1280x960 --trials 2 \
      --keys 40,39,34,35,38 --solution --out "$log/render-$style.png"
done
exit $status
