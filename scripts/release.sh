#!/usr/bin/env bash
# Builds the Linux and the Windows program and packs each with the demo menu:
#   dist/ostrel-<version>-win32.zip          ostrel.exe, menu.ini, menu.bmp, demo.ico, docs, tools
#   dist/ostrel-<version>-linux-x86_64.tar.gz  the same with the Linux ostrel
#   dist/ostrel-<version>-linux-x86_64.debug   the Linux program's debug information
# The Linux program is built in a Debian 11 tree (build/bullseye, made once by
# scripts/bullseye-tree.sh), so that it starts on every distribution with glibc 2.28 or newer.
# Each archive holds one folder of that name; unpacked, the menu starts from it as it is.
# The build folders and the output folder may be moved through OSTREL_BUILD_DIR (build-release),
# OSTREL_WIN32_BUILD_DIR (build-win32) and OSTREL_DIST_DIR (dist).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${OSTREL_BUILD_DIR:-$root/build-release}
dist=${OSTREL_DIST_DIR:-$root/dist}
version=$(sed -n 's/^project(ostrel VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release: no project version in CMakeLists.txt" >&2; exit 1; }

scripts/install-deps.sh
scripts/install-wine.sh
# Warnings are the test command's business; GCC 12 at -O3 warns falsely in the library's string
# code, which must not stop a release.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_WERROR=OFF -DOSTREL_TESTS=OFF \
  -DOSTREL_BENCH=OFF >/dev/null
cmake --build "$build" --target ostrel-demo-art
scripts/bullseye-tree.sh "$root/build/bullseye"
linux_exe=$(scripts/build-portable.sh "$root/build/bullseye")
exe=$(scripts/build-windows.sh "${OSTREL_WIN32_BUILD_DIR:-$root/build-win32}")

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# The demo menu as scripts/demo.sh stages it: examples/demo with its generated picture and icon.
stage_demo() {
  mkdir -p "$1"
  cp -r examples/demo/. "$1"/
  "$build/tools/demo-art/ostrel-demo-art" "$1/menu.bmp"
  "$build/tools/demo-art/ostrel-demo-art" --icon "$1/demo.ico"
}

mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
windows=ostrel-$version-win32
stage_demo "$stage/$windows"
cp "$exe" "$stage/$windows/"
rm -f "$dist/$windows.zip"
(cd "$stage" && python3 -m zipfile -c "$dist/$windows.zip" "$windows")

linux=ostrel-$version-linux-x86_64
stage_demo "$stage/$linux"
cp "$linux_exe" "$stage/$linux/"
# Stripped, its debug information beside the archive, found again through the link it keeps.
objcopy --only-keep-debug "$stage/$linux/ostrel" "$dist/$linux.debug"
strip "$stage/$linux/ostrel"
(cd "$dist" && objcopy --add-gnu-debuglink="$linux.debug" "$stage/$linux/ostrel")
tar -C "$stage" -czf "$dist/$linux.tar.gz" --owner=0 --group=0 "$linux"

ls -l "$dist/$windows.zip" "$dist/$linux.tar.gz" "$dist/$linux.debug"
