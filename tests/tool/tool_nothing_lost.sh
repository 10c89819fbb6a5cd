#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# quivra-tool's booklets lose nothing, whatever fails: --out and --solutions naming one file by any
# path are refused before any work; the booklet and its solutions file are new together or not at
# all (a solutions file that cannot be written, a rename that fails); every signal that ends the
# tool leaves no temporary file and ends it as the signal would; a titled booklet pinned by --time
# is the same bytes from separate processes.
set -u
tool="$(realpath "$1")"
shim="$(realpath "$2")"
cd "$(mktemp -d)" || exit 1
trap 'rm -rf "$PWD"' EXIT
export QT_QPA_PLATFORM=offscreen
ulimit -c 0
failed=0
fail() { echo "$*"; failed=1; }
left() { ls -A | grep -vx -e err -e keep | tr '\n' ' '; }
booklet=(render --style square --cells 12 12 --count 6 --per-page 2 --page a4 --time 5)

# One file by two spellings: status 2, one line, nothing made.
mkdir sub
for pair in "./m.pdf m.pdf" "sub/../m.pdf m.pdf" "$PWD/m.pdf m.pdf" "m.pdf ../${PWD##*/}/m.pdf" "ln.pdf m.pdf"; do
  read -r solutions out <<<"$pair"
  rm -f m.pdf ln.pdf
  [[ $solutions == ln.pdf ]] && ln -s m.pdf ln.pdf
  "$tool" "${booklet[@]}" --solutions "$solutions" --out "$out" >/dev/null 2>err
  status=$? lines=$(wc -l <err)
  rm -f ln.pdf
  if [[ $status != 2 || $lines != 1 || -n $(left | sed 's/sub //') ]]; then
    fail "--solutions $solutions --out $out: status $status, $lines lines, left: $(left)"; cat err
  fi
done
rmdir sub

# Solutions that cannot be written: no booklet either, no temporary file.
"$tool" "${booklet[@]}" --solutions /dev/full --out b.pdf >/dev/null 2>err
status=$?
[[ $status == 1 && $(wc -l <err) == 1 && -z $(left) ]] || { fail "solutions on /dev/full: status $status, left: $(left)"; cat err; }

# A rename that fails, first or second: the old files as they were, no temporary file.
preload="$shim"
sanitizer=$(ldd "$tool" | grep -o '/[^ ]*lib[at]san[^ ]*' | head -1)
[[ -n $sanitizer ]] && preload="$sanitizer:$shim"
# Also where the file system has no hard links (FAT): the old file is moved aside instead.
for links in yes no; do
  for failing in old.pdf old-solutions.pdf none; do
    echo "old booklet" >old.pdf
    echo "old solutions" >old-solutions.pdf
    if [[ $links == no ]]; then export QUIVRA_NO_LINKS=1; else unset QUIVRA_NO_LINKS; fi
    LD_PRELOAD=$preload QUIVRA_FAIL_RENAME_TO=$failing \
      "$tool" "${booklet[@]}" --solutions old-solutions.pdf --out old.pdf >/dev/null 2>err
    status=$?
    unset QUIVRA_NO_LINKS
    if [[ $failing == none ]]; then
      [[ $status == 0 && $(head -c 4 old.pdf) == %PDF && $(head -c 4 old-solutions.pdf) == %PDF &&
         $(left) == "old-solutions.pdf old.pdf " ]] || { fail "links $links, both renamed: status $status, left: $(left)"; cat err; }
    elif [[ $status != 1 || $(wc -l <err) != 1 || $(cat old.pdf) != "old booklet" ||
            $(cat old-solutions.pdf) != "old solutions" || $(left) != "old-solutions.pdf old.pdf " ]]; then
      fail "links $links, rename onto $failing fails: status $status, left: $(left)"; cat err
    fi
    rm -f old.pdf old-solutions.pdf
  done
done
# Without an old file the first one is taken back too.
LD_PRELOAD=$preload QUIVRA_FAIL_RENAME_TO=new-solutions.pdf \
  "$tool" "${booklet[@]}" --solutions new-solutions.pdf --out new.pdf >/dev/null 2>err
status=$?
[[ $status == 1 && -z $(left) ]] || { fail "second rename fails, no old files: status $status, left: $(left)"; cat err; }

# Pages as pictures are all new or none: a rename onto the second page fails, both old pages stay.
echo "old page 1" >p-0001.png
echo "old page 2" >p-0002.png
LD_PRELOAD=$preload QUIVRA_FAIL_RENAME_TO=p-0002.png \
  "$tool" render --style square --cells 8 8 --count 2 --per-page 2 --page a5 --time 5 --out p.png >/dev/null 2>err
status=$?
[[ $status == 1 && $(wc -l <err) == 1 && $(cat p-0001.png) == "old page 1" && $(cat p-0002.png) == "old page 2" &&
   $(left) == "p-0001.png p-0002.png " ]] || { fail "page pictures, a rename fails: status $status, left: $(left)"; cat err; }
rm -f p-0001.png p-0002.png

# A booklet under a file size limit: one line, status 1, no temporary file.
(ulimit -f 16; exec "$tool" "${booklet[@]}" --out big.pdf >/dev/null 2>err)
status=$?
[[ $status == 1 && $(wc -l <err) == 1 && -z $(left) ]] || { fail "booklet over the size limit: status $status, left: $(left)"; cat err; }
rm -f big.pdf

# Each signal that ends a process, sent while the booklet is being written: nothing left, and the
# status of a process that signal ended. A background job of a script starts with SIGINT and
# SIGQUIT ignored (and so the tool leaves them): given their default action back here.
# Until the booklet's temporary file is there (5 s at most).
wait_for_temporary() {
  for _ in $(seq 500); do
    [[ -n $(compgen -G '.b.pdf.*') ]] && break
    sleep 0.01
  done
}
long=(render --style square --cells 30 40 --per-page 2 --page a4 --time 5 --solutions s.pdf --out b.pdf --count)
for sig in INT TERM HUP QUIT ALRM USR1 USR2 XCPU XFSZ VTALRM PROF PIPE ABRT ILL TRAP SYS STKFLT IO PWR BUS FPE SEGV \
           RTMIN RTMIN+1 RTMAX-1 RTMAX; do
  env --default-signal=INT,QUIT "$tool" "${long[@]}" 100 >/dev/null 2>err &
  pid=$!
  wait_for_temporary
  kill -s "$sig" "$pid"
  wait "$pid" 2>/dev/null
  status=$?
  expected=$((128 + $(kill -l "$sig")))
  if [[ $status != "$expected" || -n $(left) ]]; then fail "SIG$sig: status $status (not $expected), left: $(left)"; fi
  rm -f -- b.pdf s.pdf .b.pdf.* .s.pdf.*
done
# A signal the caller ignores stays ignored: the booklet is finished, and nothing else is left.
for sig in USR1 ABRT RTMIN+2; do
  env --ignore-signal="$sig" "$tool" "${long[@]}" 40 >/dev/null 2>err &
  pid=$!
  wait_for_temporary
  kill -s "$sig" "$pid"
  wait "$pid"
  status=$?
  [[ $status == 0 && $(left) == "b.pdf s.pdf " ]] || { fail "SIG$sig ignored: status $status, left: $(left)"; cat err; }
  rm -f -- b.pdf s.pdf .b.pdf.* .s.pdf.*
done
# SIGXCPU as the kernel sends it, at a soft CPU time limit.
(ulimit -S -t 1; exec "$tool" "${long[@]}" 1000 >/dev/null 2>err)
status=$?
[[ $status == $((128 + $(kill -l XCPU))) && -z $(left) ]] || fail "CPU time limit: status $status, left: $(left)"
rm -f -- b.pdf s.pdf .b.pdf.* .s.pdf.*

# A titled booklet with labels, pinned by --time: the same bytes from separate processes.
for run in 1 2 3 4 5 6; do
  "$tool" render --style square --cells 20 28 --count 4 --per-page 4 --page a4 --time 4000.5 --lang en \
    --title "Class 3B: mazes for Friday" --name-line --out "same$run.pdf" >/dev/null 2>err || { fail "titled booklet"; cat err; }
done
for run in 2 3 4 5 6; do cmp -s same1.pdf "same$run.pdf" || fail "a titled booklet with --time: run $run differs"; done
exit $failed
