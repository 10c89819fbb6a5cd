#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/play.sh: --help answers without installing or building anything, and the other options
# reach the game. Run on a copy whose installer, cmake and game only say what they were asked.
play="$1"
failed=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/scripts" "$work/build/app" "$work/bin"
cp "$play" "$work/scripts/play.sh"
printf '#!/bin/sh\necho installed >>"%s/calls"\n' "$work" >"$work/scripts/install-deps.sh"
printf '#!/bin/sh\necho cmake >>"%s/calls"\n' "$work" >"$work/bin/cmake"
printf '#!/bin/sh\nprintf "%%s|" "$@" >"%s/game-args"\n' "$work" >"$work/build/app/quivra"
chmod +x "$work/bin/cmake" "$work/build/app/quivra"

for help in --help -h "--code S3x2-33913796-X --help"; do
    # shellcheck disable=SC2086
    out="$(PATH="$work/bin:$PATH" DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM= bash "$work/scripts/play.sh" $help)"
    status=$?
    if [ "$status" -ne 0 ] || ! printf '%s\n' "$out" | grep -q '^Usage: bash scripts/play.sh' || [ -e "$work/calls" ]; then
        echo "FAIL: play.sh $help: status $status, installed or built: $(cat "$work/calls" 2>/dev/null)"
        printf '%s\n' "$out"
        failed=1
    fi
done

PATH="$work/bin:$PATH" DISPLAY=:0 bash "$work/scripts/play.sh" --code "S15x10-11882719-Y" "two words"
if [ "$(cat "$work/game-args")" != "--code|S15x10-11882719-Y|two words|" ]; then
    echo "FAIL: the game got '$(cat "$work/game-args")'"
    failed=1
fi
exit $failed
