#!/usr/bin/env bash
# Cross-builds the Windows program, ostrel.exe, with warnings as errors.
# Usage: scripts/build-windows.sh [build folder]   (default: build-win32 or build-win64 in the
# checkout). OSTREL_WINDOWS_ARCH=win64 builds the 64-bit program instead of the 32-bit one that
# ships. The program keeps its debug information; scripts/release.sh splits it off and strips
# the shipped copy. Prints the path of the built program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
arch=${OSTREL_WINDOWS_ARCH:-win32}
case "$arch" in
  win32) toolchain=mingw-i686.cmake ;;
  win64) toolchain=mingw-x86_64.cmake ;;
  *) echo "build-windows: OSTREL_WINDOWS_ARCH is win32 or win64, not '$arch'" >&2; exit 2 ;;
esac
build="${1:-$root/build-$arch}"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_C_FLAGS=-g -DCMAKE_CXX_FLAGS=-g -DOSTREL_WERROR=ON >/dev/null
cmake --build "$build" >&2
echo "$(cd "$build" && pwd)/src/app/ostrel.exe"
