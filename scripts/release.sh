#!/usr/bin/env bash
# Builds the Linux and the Windows program and packs each with the demo menu:
#   dist/ostrel-<version>-win32.zip          ostrel.exe, menu.ini, menu.bmp, demo.ico, docs, tools
#   dist/ostrel-<version>-linux-x86_64.tar.gz  the same with the Linux ostrel
#   dist/ostrel-<version>-win32.debug          the Windows program's debug information
#   dist/ostrel-<version>-linux-x86_64.debug   the Linux program's debug information
# The Linux program is built in a Debian 11 tree (build/bullseye, made once by
# scripts/bullseye-tree.sh), so that it starts on every distribution with glibc 2.28 or newer.
# Each archive holds one folder of that name; unpacked, the menu starts from it as it is.
# The build folders and the output folder may be moved through OSTREL_BUILD_DIR (build-release),
# OSTREL_WIN32_BUILD_DIR (build-win32) and OSTREL_DIST_DIR (dist).
# With --menu DIR the archives hold the author's menu folder DIR instead of the demo. Each
# release folder carries its autorun files: autorun.inf written from menu.ini for Windows,
# autorun.sh and .autorun for Linux desktops. OSTREL_WINDOWS_EXE names a cross-built
# ostrel.exe to pack instead of building one.
set -euo pipefail
menu=""
if [ "${1:-}" = "--menu" ]; then
  menu=$(cd "${2:?release: --menu needs a folder}" && pwd)
  [ -f "$menu/menu.ini" ] || { echo "release: no menu.ini in $menu" >&2; exit 1; }
fi
cd "$(dirname "$0")/.."
root=$(pwd)
build=${OSTREL_BUILD_DIR:-$root/build-release}
dist=${OSTREL_DIST_DIR:-$root/dist}
version=$(sed -n 's/^project(ostrel VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release: no project version in CMakeLists.txt" >&2; exit 1; }

scripts/install-deps.sh
[ -n "${OSTREL_WINDOWS_EXE:-}" ] || scripts/install-wine.sh
if [ -z "$menu" ]; then
  # Warnings are the test command's business; GCC 12 at -O3 warns falsely in the library's
  # string code, which must not stop a release.
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_WERROR=OFF \
    -DOSTREL_TESTS=OFF -DOSTREL_BENCH=OFF >/dev/null
  cmake --build "$build" --target ostrel-demo-art
fi
scripts/bullseye-tree.sh "$root/build/bullseye"
linux_exe=$(scripts/build-portable.sh "$root/build/bullseye")
exe=${OSTREL_WINDOWS_EXE:-$(scripts/build-windows.sh "${OSTREL_WIN32_BUILD_DIR:-$root/build-win32}")}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# The demo menu as scripts/demo.sh stages it: examples/demo with its generated picture and icon.
stage_demo() {
  mkdir -p "$1"
  if [ -n "$menu" ]; then
    cp -r "$menu/." "$1"/
  else
    cp -r examples/demo/. "$1"/
    "$build/tools/demo-art/ostrel-demo-art" "$1/menu.bmp"
    "$build/tools/demo-art/ostrel-demo-art" --icon "$1/demo.ico"
  fi
}

mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
# Each program ships stripped; its debug information lies beside the archive, found again through
# the link the program keeps. A program that carries none (one built elsewhere and already
# stripped) ships as it is, and the release says so.
split_debug() { # PROGRAM DEBUG_FILE OBJCOPY_PREFIX
  local program=$1 debug=$2 tools=$3
  rm -f "$debug"
  if [[ $("${tools}objdump" -h "$program") != *.debug_info* ]]; then
    echo "release: $program carries no debug information; no $(basename "$debug") is written" >&2
    return
  fi
  "${tools}objcopy" --only-keep-debug "$program" "$debug"
  "${tools}strip" "$program"
  (cd "$(dirname "$debug")" && "${tools}objcopy" --add-gnu-debuglink="$(basename "$debug")" "$program")
}
windows=ostrel-$version-win32
stage_demo "$stage/$windows"
cp "$exe" "$stage/$windows/"
split_debug "$stage/$windows/ostrel.exe" "$dist/$windows.debug" i686-w64-mingw32-
scripts/autorun-inf.sh "$stage/$windows/menu.ini" >"$stage/$windows/autorun.inf"
rm -f "$dist/$windows.zip"
(cd "$stage" && python3 -m zipfile -c "$dist/$windows.zip" "$windows")

linux=ostrel-$version-linux-x86_64
stage_demo "$stage/$linux"
cp "$linux_exe" "$stage/$linux/"
cp res/autorun/autorun.sh res/autorun/.autorun "$stage/$linux/"
split_debug "$stage/$linux/ostrel" "$dist/$linux.debug" ""
tar -C "$stage" -czf "$dist/$linux.tar.gz" --owner=0 --group=0 "$linux"

ls -l "$dist/$windows.zip" "$dist/$linux.tar.gz" "$dist"/*.debug
