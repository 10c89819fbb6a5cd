#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The random event tests on many seeds, one process per seed, for a soak run outside the quick suite:
#   bash scripts/monkey-seeds.sh [--build DIR] [--first SEED] [--seeds N] [--events N] [--headless]
# Default: the real window (Monkey.RealWindowThroughQtEvents), 200 seeds of 5000 events from seed
# 7000000, with the test program of build/. Each real-window seed plays its long game and two short
# ones that end in Exit or by closing the window; --headless runs Monkey.RandomEventsKeepTheGameConsistent.
# A seed that fails (or that the test's watchdog ends) keeps its output in DIR/monkey-seeds/;
# the last line sums up, and the status is 1 when any seed failed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build" first=7000000 seeds=200 events=5000 filter=Monkey.RealWindowThroughQtEvents
while [[ $# -gt 0 ]]; do
  case "$1" in
    --build) build="$(cd "$2" && pwd)"; shift 2 ;;
    --first) first="$2"; shift 2 ;;
    --seeds) seeds="$2"; shift 2 ;;
    --events) events="$2"; shift 2 ;;
    --headless) filter=Monkey.RandomEventsKeepTheGameConsistent; shift ;;
    *) echo "monkey-seeds.sh: unknown argument '$1'" >&2; exit 2 ;;
  esac
done
program="$build/tests/robustness/robustness_tests"
[[ -x "$program" ]] || { echo "monkey-seeds.sh: no $program (build robustness_tests first)" >&2; exit 2; }
# The real-window test plays a third of QUIVRA_MONKEY_EVENTS in its long game, on the seed given
# plus 2000, and its two short games on the next two seeds: seeds go up in threes, so no game repeats.
length=$events stride=1
[[ $filter == Monkey.RealWindowThroughQtEvents ]] && length=$((events * 3)) stride=3
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-/tmp/quivra-runtime-$(id -u)}"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
logs="$build/monkey-seeds"
mkdir -p "$logs"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

failed=0 start=$SECONDS
for ((n = 0; n < seeds; ++n)); do
  seed=$((first + n * stride))
  # The watchdog inside the test ends a stuck run; the outer limit only guards against a test
  # program that cannot even start.
  if QUIVRA_MONKEY_SEED=$seed QUIVRA_MONKEY_EVENTS=$length timeout 3600 "$program" --gtest_filter="$filter" \
       >"$log" 2>&1; then
    grep -h '^monkey' "$log" || true
  else
    failed=$((failed + 1))
    cp "$log" "$logs/$seed.log"
    echo "seed $seed FAILED: $logs/$seed.log"
  fi
done
echo "$filter: $seeds seeds from $first (step $stride), $events events each: $((seeds - failed)) passed, $failed failed," \
     "$((SECONDS - start)) s"
[[ $failed -eq 0 ]]
