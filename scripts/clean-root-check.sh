#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README on a machine that has nothing: a minimal Debian root (12 "bookworm" or 13 "trixie") made
# with mmdebstrap from the host's Debian mirror (the release's suite, its updates and security).
#   clean-root-check.sh RELEASE make-root DIR      only make the root (CI makes it while others build)
#   clean-root-check.sh RELEASE readme [DIR]       a clean clone of this checkout, the README's
#                                                  commands in its order: play (under an Xvfb in the
#                                                  root; a screenshot must show the maze and the status
#                                                  hint; Ctrl+Q closes it), test (no apt progress when
#                                                  nothing fails), package --check (the .deb goes to
#                                                  build-clean-root/RELEASE/)
#   clean-root-check.sh RELEASE deb FILE [DIR]     the .deb installed with its Depends alone: Chinese
#                                                  glyphs render, then purge leaves nothing behind
# RELEASE is bookworm or trixie. A DIR made by make-root is used as it is, otherwise a fresh root is
# made; it is removed at the end (unless QUIVRA_KEEP_ROOT=1). Screenshots and logs go to
# build-clean-root/RELEASE/. Needs root, mmdebstrap, git, python3.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
release="${1:-}"
job="${2:-}"
[ $# -gt 0 ] && shift
case "$release" in
  bookworm) number=12 ;;
  trixie)   number=13 ;;
  *) echo "usage: clean-root-check.sh bookworm|trixie make-root DIR | readme [DIR] | deb FILE [DIR]" >&2
     exit 2 ;;
esac
out="$repo/build-clean-root/$release"

say() { echo "== $release root: $*"; }
fail() { echo "clean-root-check.sh ($release): $*" >&2; exit 1; }

# Debian's own suites from the host's sources, renamed to the release's (a mirror serves every
# release under the same address); other repositories the host has are left out.
make_root() {
  local dir="$1" src host
  src="$(mktemp -d)"
  host="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
  awk -v host="$host" 'BEGIN { RS = ""; ORS = "\n\n" }
       /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*debian/ && $0 ~ "(^|\n)Suites:[ \t]*" host' \
      /dev/null /etc/apt/sources.list.d/*.sources 2>/dev/null |
    sed -E "/^Suites:/s/\b$host\b/$release/g" >"$src/debian.sources" || true
  grep -hsE "^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?[^[:space:]]*debian[^[:space:]]*[[:space:]]+$host(-updates|-security)?[[:space:]]" \
      /etc/apt/sources.list /etc/apt/sources.list.d/*.list | sed -E "s/[[:space:]]$host(-updates|-security)?[[:space:]]/ $release\1 /" \
      >"$src/debian.list" || true
  local mirrors=()
  for f in "$src/debian.sources" "$src/debian.list"; do [ -s "$f" ] && mirrors+=("$f"); done
  [ ${#mirrors[@]} -gt 0 ] || fail "no Debian $host sources in /etc/apt"
  mmdebstrap --variant=apt --quiet "$release" "$dir" "${mirrors[@]}"
  rm -rf "$src"
}

if [ "$job" = make-root ]; then
  [ $# -eq 2 ] || fail "usage: clean-root-check.sh $release make-root DIR"
  make_root "$2"
  exit 0
fi

root="" mounts=() groups=()
cleanup() {
  local status=$?
  set +e
  # Only groups whose leader is not yet reaped: a reaped one's number may be another program's now.
  for g in "${groups[@]}"; do [ -z "$g" ] || kill -- "-$g" 2>/dev/null; done
  # Anything else still running inside the root (a daemon a package started) holds its mounts.
  if [ -n "$root" ]; then
    for p in /proc/[0-9]*; do
      [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
  fi
  sleep 0.2
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" 2>/dev/null || umount --lazy "${mounts[i]}"
  done
  if [ -n "$root" ] && [ "${QUIVRA_KEEP_ROOT:-0}" != 1 ]; then
    if findmnt -rn -o TARGET | grep -q "^$root/"; then
      echo "clean-root-check.sh: $root still has mounts; left in place" >&2
    else
      rm -rf --one-file-system "$root"
    fi
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

mount_in() {  # mount_in TARGET MOUNT-ARGS...
  local target="$root/$1"; shift
  mount "$@" "$target"
  mounts+=("$target")
}

# set_up_root [DIR]: a root made by make-root, or a fresh one; /proc, /dev and a private /tmp.
set_up_root() {
  if [ -n "${1:-}" ]; then
    root="$(cd "$1" && pwd)"
    [ -x "$root/usr/bin/apt-get" ] || fail "$root is not a root made by make-root"
  else
    mkdir -p /var/tmp
    root="$(mktemp -d /var/tmp/quivra-root.XXXXXX)"
    rmdir "$root"
    say "making a Debian $number root"
    make_root "$root"
  fi
  mount_in proc -t proc proc
  mount_in dev --bind /dev
  mount --make-private "$root/dev"
  mount_in dev/pts --bind /dev/pts
  mount_in dev/shm -t tmpfs -o mode=1777 tmpfs
  mount_in tmp -t tmpfs -o mode=1777 tmpfs
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
  mkdir -p "$out"
}

# A login's environment, nothing of the host's.
in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin ${display:+DISPLAY=:$display} "$@"
}
# The installed packages' names, one a line, sorted.
installed_packages() {
  in_root dpkg-query -W -f '${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | LC_ALL=C sort
}
quiet_apt() {
  local log
  log="$(mktemp)"
  if ! in_root env DEBIAN_FRONTEND=noninteractive apt-get "$@" >"$log" 2>&1; then
    cat "$log" >&2; rm -f "$log"; fail "apt-get $* failed"
  fi
  rm -f "$log"
}
# reap PID: waits for a process that start began and forgets its group; its status.
reap() {
  local status=0 i
  wait "$1" || status=$?
  for i in "${!groups[@]}"; do [ "${groups[i]}" != "$1" ] || groups[i]=""; done
  return "$status"
}
# start LOG COMMAND...: in the background, in its own process group (ended by cleanup).
start() {
  local log="$1"; shift
  setsid "$@" >"$log" 2>&1 &
  started=$!
  groups+=("$started")
}

# An Xvfb inside the root. It listens only on its socket file in the root's /tmp, so it cannot
# meet another X server of the host; the number is one the host does not use either.
display=""
start_xvfb() {
  local n
  for n in $(seq 50 99); do
    grep -q "/tmp/.X11-unix/X$n\$" /proc/net/unix || [ -e "/tmp/.X$n-lock" ] || break
  done
  start "$out/xvfb.log" chroot "$root" Xvfb ":$n" -nolisten tcp -nolisten local -screen 0 1024x768x24
  for _ in $(seq 50); do [ -S "$root/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  [ -S "$root/tmp/.X11-unix/X$n" ] || { cat "$out/xvfb.log" >&2; fail "Xvfb did not start"; }
  display="$n"
}

# check_window PID SHOT WAIT: the game started by PID shows its window within WAIT seconds, a maze
# and the status hint are drawn, and Ctrl+Q ends it with status 0.
check_window() {
  local pid="$1" shot="$2" wait="$3" wid="" geometry=""
  for _ in $(seq "$wait"); do
    wid="$(in_root xdotool search --onlyvisible --class quivra 2>/dev/null | head -n1)" || true
    [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null || { reap "$pid" || true; fail "the game ended before its window showed"; }
    sleep 1
  done
  [ -n "$wid" ] || fail "no game window within $wait s"
  geometry="$(in_root xdotool getwindowgeometry --shell "$wid")"
  local x y w h
  x="$(sed -n 's/^X=//p' <<<"$geometry")" y="$(sed -n 's/^Y=//p' <<<"$geometry")"
  w="$(sed -n 's/^WIDTH=//p' <<<"$geometry")" h="$(sed -n 's/^HEIGHT=//p' <<<"$geometry")"
  say "window $wid at ${w}x${h}+$x+$y; waiting for the maze and the hint"
  # The maze grows row by row; the hint shows when it is complete.
  local ok=0
  for _ in $(seq 30); do
    sleep 1
    in_root xwd -root -silent >"$shot"
    if python3 "$repo/scripts/check-screenshot.py" "$shot" "$x" "$y" "$w" "$h" >"$shot.txt" 2>&1; then ok=1; break; fi
  done
  cat "$shot.txt"
  [ "$ok" -eq 1 ] || fail "screenshot $shot: see above"
  in_root xdotool windowfocus --sync "$wid" key --clearmodifiers ctrl+q
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
  kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q did not close the game"
  reap "$pid" || fail "the game ended with status $?"
}

readme_job() {
  set_up_root "${1:-}"
  git clone --quiet "$repo" "$root/root/quivra"
  # In the README's order: play, test, package. Only an X server is there before the first.
  local t0=$SECONDS
  quiet_apt update -qq   # mmdebstrap leaves no package lists
  quiet_apt install -y -qq --no-install-recommends xvfb xdotool x11-apps
  start_xvfb
  say "bash scripts/play.sh on display :$display (Xvfb installed in $((SECONDS - t0)) s)"
  t0=$SECONDS
  start "$out/play.log" chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin DISPLAY=":$display" \
    bash -c 'cd ~/quivra && bash scripts/play.sh'
  check_window "$started" "$out/readme-shot.xwd" 900
  # A normal start says nothing; an installation and the first build say what they do.
  if grep -vE '^(Installing [0-9]+ missing packages|Installed in [0-9]+ s\.$|Building Quivra)' "$out/play.log" | grep -q .; then
    cat "$out/play.log" >&2; fail "play.sh printed more than what it installs and builds"
  fi
  cat "$out/play.log"
  say "play command, first run, passed in $((SECONDS - t0)) s"

  say "bash scripts/test.sh"
  t0=$SECONDS
  in_root bash -c 'cd ~/quivra && bash scripts/test.sh' 2>&1 | tee "$out/test.log" || fail "the test command failed"
  say "test command passed in $((SECONDS - t0)) s"
  # When nothing fails it shows no apt or dpkg progress.
  if grep -E '^(Get:|Fetched|Selecting previously|Preparing to unpack|Unpacking|Setting up|Processing triggers|debconf:|invoke-rc\.d)' "$out/test.log"; then
    fail "the test command showed apt's progress (above)"
  fi

  say "bash scripts/package.sh --check"
  t0=$SECONDS
  in_root bash -c 'cd ~/quivra && bash scripts/package.sh --check' >"$out/package.log" 2>&1 ||
    { cat "$out/package.log" >&2; fail "the package command failed"; }
  rm -f "$out"/quivra_*.deb
  cp "$root"/root/quivra/build-package/quivra_*.deb "$out/"
  say "package command passed in $((SECONDS - t0)) s: $(ls "$out"/quivra_*.deb)"
}

deb_job() {
  local deb="$1"
  [ -f "$deb" ] || fail "no package $deb"
  set_up_root "${2:-}"
  cp "$deb" "$root/tmp/"
  quiet_apt update -qq   # mmdebstrap leaves no package lists
  quiet_apt install -y -qq --no-install-recommends xvfb xdotool x11-apps fontconfig
  # What the root holds before, to compare after the purge (caches and logs aside). What the game
  # keeps for the player who ran it (settings, a kept game, records) is that player's, in their
  # home: a purge leaves it, as it leaves every program's.
  local skip='^/(proc|dev|sys|tmp|run|var/cache|var/log|var/lib/apt|var/lib/dpkg|var/lib/xkb|etc/ld\.so\.cache$)'
  skip+='|^/root/\.config(/quivra(/.*)?)?$|^/root/\.local(/share(/Quivra(/.*)?)?)?$'
  in_root find / -xdev | grep -Ev "$skip" | LC_ALL=C sort >"$out/files-before.txt"
  installed_packages >"$out/packages-before.txt"

  say "apt-get install --no-install-recommends ./$(basename "$deb")"
  in_root bash -c 'cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ./quivra_*.deb' \
    >"$out/deb-install.log" 2>&1 || { cat "$out/deb-install.log" >&2; fail "the package did not install"; }
  local fonts
  fonts="$(in_root fc-list :lang=zh family)"
  [ -n "$fonts" ] || fail "fc-list :lang=zh lists no font: the Chinese texts would be boxes"
  say "fonts for Chinese: $(tr '\n' ';' <<<"$fonts")"

  # On its own: no display, one line and status 1; a display and no XDG_RUNTIME_DIR, not a word.
  local status=0
  in_root /usr/games/quivra >"$out/nodisplay.log" 2>&1 || status=$?
  [ "$status" -eq 1 ] && [ "$(wc -l <"$out/nodisplay.log")" -eq 1 ] ||
    { cat "$out/nodisplay.log" >&2; fail "without a display: status $status, want one line and 1"; }
  # Without any locale (a fresh system, cron) the version and not a word more.
  chroot "$root" /usr/bin/env -i /usr/games/quivra --version >"$out/nolocale.log" 2>&1 &&
    [ "$(wc -l <"$out/nolocale.log")" -eq 1 ] ||
    { cat "$out/nolocale.log" >&2; fail "quivra --version without a locale: want its one line"; }
  start_xvfb
  start "$out/game.log" chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 DISPLAY=":$display" /usr/games/quivra
  check_window "$started" "$out/deb-shot.xwd" 30
  [ ! -s "$out/game.log" ] || { cat "$out/game.log" >&2; fail "the game printed something"; }

  say "apt-get purge quivra; apt-get autoremove --purge"
  quiet_apt purge -y -qq quivra
  quiet_apt autoremove --purge -y -qq
  in_root dpkg -s quivra >/dev/null 2>&1 && fail "quivra is still known to dpkg after the purge"
  # What came in with the package and autoremove keeps (apt keeps what a package already there
  # recommends or suggests: libidn2-0 on Debian 13) goes too: the root must be as it was before.
  local kept
  kept="$(installed_packages | LC_ALL=C comm -13 "$out/packages-before.txt" -)"
  if [ -n "$kept" ]; then
    say "purging what came in with the package and autoremove kept: $(tr '\n' ' ' <<<"$kept")"
    # shellcheck disable=SC2086 # one package a word
    quiet_apt purge -y -qq $kept
  fi
  in_root find / -xdev | grep -Ev "$skip" | LC_ALL=C sort >"$out/files-after.txt"
  diff -u "$out/files-before.txt" "$out/files-after.txt" || fail "the purge left the files above"
  say "the package installed, ran, and left nothing after its purge"
}

[ "$(id -u)" -eq 0 ] || fail "needs root (mount, chroot)"
case "$job" in
  readme) [ $# -le 2 ] || fail "usage: clean-root-check.sh $release readme [DIR]"; readme_job "${2:-}" ;;
  deb)    [ $# -ge 2 ] && [ $# -le 3 ] || fail "usage: clean-root-check.sh $release deb FILE [DIR]"; deb_job "$2" "${3:-}" ;;
  *) fail "usage: clean-root-check.sh $release make-root DIR | readme [DIR] | deb FILE [DIR]" ;;
esac
