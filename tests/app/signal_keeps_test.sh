#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SIGTERM (a logout), SIGHUP and SIGINT end the real game as its Quit does: the walk resumed at the
# start is kept again, status 0. Every run has a time limit of its own: a game that never ends fails.
game="$1"
failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
kept='Quivra kept game 1
code S15x10-11882719-Y
tilt 45
seconds 4.0
moves 2
end'
for signal in TERM HUP INT; do
    rm -rf "$work/data" "$work/config"
    mkdir -p "$work/data/Quivra"
    printf '%s\n' "$kept" >"$work/data/Quivra/kept-game.txt"
    XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
        timeout -s KILL 30 "$game" --resume 2>"$work/err.txt" &
    pid=$!
    # Resumed once the kept file is gone; then a moment for the window to stand.
    for _ in $(seq 100); do [ -e "$work/data/Quivra/kept-game.txt" ] || break; sleep 0.1; done
    sleep 1
    kill -"$signal" "$pid"
    wait "$pid"
    status=$?
    if [ "$status" -ne 0 ]; then
        echo "FAIL: SIG$signal: status $status (want 0)"; cat "$work/err.txt"; failed=1
    fi
    if ! grep -q '^code S15x10-11882719-Y$' "$work/data/Quivra/kept-game.txt" 2>/dev/null ||
       ! grep -q '^moves 2$' "$work/data/Quivra/kept-game.txt"; then
        echo "FAIL: SIG$signal: the walk was not kept"; cat "$work/data/Quivra/kept-game.txt" "$work/err.txt"; failed=1
    fi
done
# A hangup the caller ignores (nohup) stays ignored: the game plays on until SIGTERM.
rm -rf "$work/data" "$work/config"
# (timeout(1) would pass the hangup on as its own; a watchdog of our own limits this run.)
(trap '' HUP; XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
    exec "$game") 2>"$work/err.txt" &
pid=$!
(for _ in $(seq 300); do sleep 0.1; kill -0 "$pid" 2>/dev/null || exit 0; done; kill -KILL "$pid") >/dev/null 2>&1 &
sleep 1.5
kill -HUP "$pid"
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: an ignored SIGHUP ended the game"; failed=1
fi
kill -TERM "$pid"
wait "$pid" || { echo "FAIL: SIGTERM after an ignored SIGHUP: status $?"; failed=1; }
exit $failed
