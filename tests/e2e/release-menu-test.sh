#!/usr/bin/env bash
# scripts/release.sh --menu on a menu of the test's own: both archives hold that menu's files,
# not the demo's, and their autorun files; the Windows one an autorun.inf from its menu.ini.
#   release-menu-test.sh TREE WINDOWS_EXE
# Exits 77, saying why, when the Debian 11 tree for the Linux program cannot be made.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
tree=${1:?usage: release-menu-test.sh TREE WINDOWS_EXE}
windows_exe=${2:?}
"$root/scripts/bullseye-tree.sh" "$tree"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
menu=$work/menu
mkdir -p "$menu/docs"
printf '[Main]\r\nBackground=menu.bmp\r\nIcon=docs\\disc.ico\r\nAppName=Test Medium\r\nProgCount=1\r\n' \
  >"$menu/menu.ini"
printf '[Prog_1]\r\nButtonText=&Read\r\nExePath=docs\\read.txt\r\n' >>"$menu/menu.ini"
echo "read me" >"$menu/docs/read.txt"
head -c 64 /dev/zero >"$menu/menu.bmp"
head -c 32 /dev/zero >"$menu/docs/disc.ico"

OSTREL_DIST_DIR=$work/dist OSTREL_WINDOWS_EXE=$windows_exe "$root/scripts/release.sh" --menu "$menu"

fail() {
  echo "release-menu: FAILED: $*" >&2
  exit 1
}
version=$(sed -n 's/^project(ostrel VERSION \([0-9][0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
windows=ostrel-$version-win32
linux=ostrel-$version-linux-x86_64
mkdir "$work/zip" "$work/tar"
python3 -m zipfile -e "$work/dist/$windows.zip" "$work/zip"
tar -C "$work/tar" -xzf "$work/dist/$linux.tar.gz"
for folder in "$work/zip/$windows" "$work/tar/$linux"; do
  for file in menu.ini menu.bmp docs/read.txt docs/disc.ico; do
    cmp -s "$menu/$file" "$folder/$file" || fail "$file of the menu is not in $folder"
  done
  if [ -e "$folder/tools" ] || [ -e "$folder/demo.ico" ]; then fail "the demo menu is in $folder"; fi
done
# The zip's program is the given one stripped, with the link to its debug file added.
i686-w64-mingw32-strip -o "$work/given.exe" "$windows_exe"
i686-w64-mingw32-objcopy --remove-section=.gnu_debuglink "$work/zip/$windows/ostrel.exe" "$work/shipped.exe"
cmp -s "$work/given.exe" "$work/shipped.exe" || fail "the zip's ostrel.exe is not the given one, stripped"
printf '[autorun]\r\nopen=ostrel.exe\r\nicon=docs\\disc.ico\r\nlabel=Test Medium\r\naction=Open Test Medium\r\n' \
  >"$work/expected.inf"
cmp "$work/expected.inf" "$work/zip/$windows/autorun.inf" || fail "autorun.inf differs"
cmp -s "$root/res/autorun/autorun.sh" "$work/tar/$linux/autorun.sh" || fail "autorun.sh missing"
[ -x "$work/tar/$linux/.autorun" ] || fail ".autorun missing"
# The section lists are read whole: "grep -q" would stop reading early, and under pipefail the
# closed pipe would fail objdump and the test with it.
stripped_with_debug_file() { # PROGRAM DEBUG_FILE OBJDUMP
  [ -s "$2" ] || fail "no $(basename "$2") beside the archives"
  local program debug
  program=$("$3" -h "$1")
  debug=$("$3" -h "$2")
  [[ $program != *.debug_info* ]] || fail "$1 is not stripped"
  [[ $program == *.gnu_debuglink* ]] || fail "$1 carries no link to its debug file"
  [[ $debug == *.debug_info* ]] || fail "$2 holds no debug information"
}
stripped_with_debug_file "$work/tar/$linux/ostrel" "$work/dist/$linux.debug" objdump
stripped_with_debug_file "$work/zip/$windows/ostrel.exe" "$work/dist/$windows.debug" i686-w64-mingw32-objdump
echo "release-menu: both archives hold the test menu with their autorun files"
