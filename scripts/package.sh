#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build-package/quivra_VERSION_ARCH.deb (Release, stripped) and prints its path.
#   package.sh           build it
#   package.sh --check   also check it: lintian reports no errors and no warnings, and the package
#                        holds exactly the files of tests/install/expected_tree.txt
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
check=0
case "${1:-}" in
  "") ;;
  --check) check=1 ;;
  *) echo "package.sh: unknown option '$1' (--check)" >&2; exit 2 ;;
esac
if [ "$check" -eq 1 ]; then
  bash "$root/scripts/install-deps.sh" --package --lint
else
  bash "$root/scripts/install-deps.sh" --package
fi

dir="$root/build-package"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DQUIVRA_SANITIZE=OFF -DQUIVRA_TESTS=OFF -DQUIVRA_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)"
rm -f "$dir"/quivra_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
debs=("$dir"/quivra_*.deb)
deb="${debs[0]}"
[ -f "$deb" ] || { echo "package.sh: cpack made no package" >&2; exit 1; }

if [ "$check" -eq 1 ]; then
  echo "== lintian $(basename "$deb")"
  lintian --fail-on error,warning "$deb"
  echo "== files of $(basename "$deb") against tests/install/expected_tree.txt"
  diff -u "$root/tests/install/expected_tree.txt" \
       <(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort)
fi
echo "$deb"
