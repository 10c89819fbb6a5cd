#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game binary on its own: without a usable display it says so in one line and exits 1 before
# Qt can abort; --help and --version answer with or without one. No locale is set (a fresh system,
# a container, cron), where Qt would say it switched to UTF-8 unless the game chose that first.
game="$1"
tool="$2"
failed=0
# expect STATUS STDOUT-LINES STDERR-LINES ENV... -- ARGS...
expect() {
    status=$1 outlines=$2 errlines=$3; shift 3
    envs=""; while [ "$1" != -- ]; do envs="$envs $1"; shift; done; shift
    # A game that never ends must fail here, not hold the suite: each run has a limit of its own.
    timeout -s KILL 20 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANG -u LANGUAGE -u LC_ALL -u LC_CTYPE $envs "$game" "$@" >out.txt 2>err.txt
    got=$?
    if [ "$got" -ne "$status" ] || [ "$(wc -l <out.txt)" -ne "$outlines" ] || [ "$(wc -l <err.txt)" -ne "$errlines" ]; then
        echo "FAIL:$envs $game $*: status $got (want $status), stdout/stderr lines $(wc -l <out.txt)/$(wc -l <err.txt) (want $outlines/$errlines)"
        cat out.txt err.txt
        failed=1
    fi
}
expect 1 0 1 --
expect 1 0 1 DISPLAY=:65000 --
expect 1 0 1 DISPLAY=nonsense --
expect 1 0 1 QT_QPA_PLATFORM=xcb --
expect 1 0 1 WAYLAND_DISPLAY=wayland-65000 XDG_RUNTIME_DIR=/nonexistent --
expect 1 0 1 -- -platform xcb
expect 2 0 1 -- --no-such-option
expect 2 0 1 -- extra-argument
expect 0 1 0 -- --version
# A maze code that cannot be played: its reason in one line, status 2, display or not.
expect 2 0 1 -- --code S15x10-11882719-Z
expect 2 0 1 QT_QPA_PLATFORM=offscreen -- --code H99999x99999-12345678-J
expect 2 0 1 QT_QPA_PLATFORM=offscreen -- --code "$(printf 'S3x2\033[2J')"
# A view the game does not have: one line, status 2, display or not.
expect 2 0 1 -- --view inside
expect 2 0 1 QT_QPA_PLATFORM=offscreen -- --view "$(printf 'plan\033[2J')"
# Cells of one's own that no square maze has, or half given, and two first mazes at once.
expect 2 0 1 -- --cells 1 5
expect 2 0 1 QT_QPA_PLATFORM=offscreen -- --cells 31 401
expect 2 0 1 QT_QPA_PLATFORM=offscreen -- --cells 31
expect 2 0 1 QT_QPA_PLATFORM=offscreen -- --cells 31 21 --resume
expect 2 0 1 QT_QPA_PLATFORM=offscreen -- --code S15x10-11882719-Y --cells 31 21
# Refused as the tool refuses, in one line that names the real reason, status 2, display or not.
# refuse REASON ARGS...
refuse() {
    reason="$1"; shift
    for platform in "" offscreen; do
        timeout -s KILL 20 env -u DISPLAY QT_QPA_PLATFORM=$platform "$game" "$@" >out.txt 2>err.txt
        got=$?
        if [ "$got" -ne 2 ] || [ -s out.txt ] || [ "$(wc -l <err.txt)" -ne 1 ] || ! grep -q -e "$reason" err.txt; then
            echo "FAIL: QT_QPA_PLATFORM=$platform $game $*: status $got (want 2 and one line with '$reason')"
            cat out.txt err.txt
            failed=1
        fi
    done
}
refuse "--view is given twice" --view plan --view overview
refuse "--code is given twice" --code S15x10-11882719-Y --code S15x10-11882719-Y
refuse "--resume is given twice" --resume --resume
refuse "--cells is given twice" --cells 5 5 --cells 6 6
refuse "not whole numbers" --cells " 5" 5
refuse "not whole numbers" --cells 5 "5 "
refuse "not whole numbers" --cells +5 5
refuse "no platform 'bogus'" --platform bogus
refuse "no platform 'bogus'" -platform bogus
refuse "no platform 'bogus;nope'" --platform "bogus;nope"
# Qt's platform from the environment, unknown: the same line, not Qt's abort.
timeout -s KILL 20 env QT_QPA_PLATFORM=bogus "$game" >out.txt 2>err.txt
[ $? -eq 2 ] && [ "$(wc -l <err.txt)" -eq 1 ] && grep -q "as QT_QPA_PLATFORM asks" err.txt ||
    { echo "FAIL: QT_QPA_PLATFORM=bogus"; cat err.txt; failed=1; }
# The game's --code and the tool's render --code refuse the same codes with the same words.
for code in H8193x3-33913796-D S2x1-33913796-1 S3x2-33913796-Y S3x2-3391379a-X H99999x99999-12345678-J; do
    timeout 10 env -u DISPLAY QT_QPA_PLATFORM=offscreen "$game" --code "$code" >/dev/null 2>game.txt
    "$tool" render --code "$code" --out refused.png >/dev/null 2>tool.txt
    if [ "$(sed 's/^quivra: //' game.txt)" != "$(sed 's/^quivra-tool: //' tool.txt)" ] || [ ! -s game.txt ]; then
        echo "FAIL: --code $code: the game and the tool differ"
        cat game.txt tool.txt
        failed=1
    fi
done
expect 0 1 0 DISPLAY=:65000 -- --version
expect 0 1 0 LC_ALL=C -- --version
expect 0 1 0 LANG=POSIX -- --version
[ "$(timeout 20 env -u DISPLAY "$game" --help | grep -c -e --version)" -eq 1 ] || { echo "FAIL: --help lists no --version"; failed=1; }
exit $failed
