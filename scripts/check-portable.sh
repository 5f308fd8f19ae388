#!/usr/bin/env bash
# The proof that the released Linux program runs on glibc 2.28 and newer:
#   scripts/check-portable.sh TREE PORTABLE_TESTS DEMO_ART
# makes the Debian 11 tree at TREE (once), builds the released program in it, reads the highest
# glibc symbol version it asks for (at most 2.28), stages the demo menu with the stripped
# program inside the tree, and lets PORTABLE_TESTS start it there and compare its window with
# the inspector's rendering. Exits 77 (skipped), saying why, when the tree cannot be made.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree=${1:?usage: check-portable.sh TREE PORTABLE_TESTS DEMO_ART}
tests=${2:?}
demo_art=${3:?}
limit=2.28

start=$SECONDS
"$root/scripts/bullseye-tree.sh" "$tree"
echo "portable: Debian 11 tree ready in $((SECONDS - start)) s ($(du -sh "$tree" | cut -f1))"

start=$SECONDS
program=$("$root/scripts/build-portable.sh" "$tree")
echo "portable: released program built in the tree in $((SECONDS - start)) s"

menu=/tmp/ostrel-portable-demo
rm -rf "${tree:?}$menu"
mkdir -p "$tree$menu"
cp -r "$root/examples/demo/." "$tree$menu/"
"$demo_art" "$tree$menu/menu.bmp"
"$demo_art" --icon "$tree$menu/demo.ico"
cp "$program" "$tree$menu/ostrel"
strip "$tree$menu/ostrel"

highest=$(objdump -T "$tree$menu/ostrel" | grep -o 'GLIBC_[0-9][0-9.]*' | sed 's/GLIBC_//' |
  sort -uV | tail -n 1)
echo "portable: highest GLIBC_ version asked for: $highest (at most $limit)"
if [ "$(printf '%s\n%s\n' "$highest" "$limit" | sort -V | tail -n 1)" != "$limit" ]; then
  echo "portable: FAILED: the program asks for glibc $highest" >&2
  exit 1
fi
echo "portable: shared libraries: $(objdump -p "$tree$menu/ostrel" | awk '/NEEDED/ {print $2}' |
  tr '\n' ' ')"

OSTREL_PORTABLE_TREE=$(cd "$tree" && pwd) OSTREL_PORTABLE_MENU=$menu "$tests"
rm -rf "${tree:?}$menu"
echo "portable: the released program showed the demo menu inside the Debian 11 tree"
