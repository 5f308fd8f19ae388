#!/usr/bin/env bash
# Cross-builds the Windows program, ostrel.exe, with warnings as errors.
# Usage: scripts/build-windows.sh [build folder]   (default: build-win32 in the checkout)
# Prints the path of the built program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-win32}"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DOSTREL_WERROR=ON >/dev/null
cmake --build "$build" >&2
echo "$(cd "$build" && pwd)/src/app/ostrel.exe"
