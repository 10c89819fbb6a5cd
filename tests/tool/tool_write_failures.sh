#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quivra-tool as a process whose write fails part-way: under a file size limit, and into a pipe
# whose reader has gone. The signals these raise must not end it silently: each case gives one
# line on standard error, status 1, and leaves no file behind. Then ended by SIGINT or SIGTERM
# at moments through a booklet written page by page, and through a picture's write: no file left.
set -u
tool="$(realpath "$1")"
cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
export QT_QPA_PLATFORM=offscreen
scene=(render --style hex --size 800x600 --trials 2)
failed=0
check() {
  local lines files
  lines=$(wc -l <err) files=$(ls -A | grep -vx err | tr '\n' ' ')
  if [[ $2 != 1 || $lines != 1 || -n $files ]]; then
    echo "$1: status $2, $lines lines on standard error, left: $files"; cat err; failed=1
  fi
}
(ulimit -f 16; exec "$tool" "${scene[@]}" --out big.png >/dev/null 2>err); check "file size limit" $?
"$tool" "${scene[@]}" --out /dev/stdout 2>err | (exec 0<&-); check "closed pipe, picture" "${PIPESTATUS[0]}"
"$tool" "${scene[@]}" --out small.png 2>err | (exec 0<&-); status=${PIPESTATUS[0]}
rm small.png; check "closed pipe, report" "$status"
booklet=(render --style square --cells 40 56 --count 30 --per-page 2 --page a4 --time 5 --out b.pdf)
picture=(render --style hex --size 3000x2000 --trials 2 --out p.png)
for sig in INT TERM; do
  for delay in 0.05 0.3 0.6 0.9 1.2; do
    for run in booklet picture; do
      declare -n args=$run
      timeout -s "$sig" "$delay" "$tool" "${args[@]}" >/dev/null 2>err
      rm -f b.pdf p.png   # a run that was done before the signal
      left=$(ls -A | grep -vx err | tr '\n' ' ')
      if [[ -n $left ]]; then echo "SIG$sig after ${delay}s, $run: left $left"; rm -f -- .b.pdf.* .p.png.*; failed=1; fi
    done
  done
done
exit $failed
