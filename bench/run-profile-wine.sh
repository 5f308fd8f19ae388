#!/usr/bin/env bash
# Cross-builds the settings benchmark and runs it under Wine in a private prefix: our reader
# against the system's GetPrivateProfileStringA on a 1000-entry menu, printed as a ratio.
# Usage: bench/run-profile-wine.sh [cross build folder]   (default: build-win32 in the checkout)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-win32}"

# The build this machine's Wine runs: 32-bit where it starts 32-bit programs, else 64-bit.
mapfile -t choice < <("$root/scripts/wine-build.sh")
export OSTREL_WINDOWS_ARCH=${choice[0]} WINEARCH=${choice[0]}
wine=wine wineserver=wineserver
if [ "$OSTREL_WINDOWS_ARCH" = win64 ]; then
  wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64
  build="${1:-$root/build-win64}"
fi
"$root/scripts/build-windows.sh" "$build" >/dev/null
cmake --build "$build" --target profile_bench >/dev/null
prefix=$(mktemp -d)
trap 'WINEPREFIX="$prefix" "$wineserver" -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX="$prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
# The benchmark opens no window; a display is needed only for Wine's first start of the prefix.
unset DISPLAY
"$wine" wineboot -i >/dev/null 2>&1
"$wine" "$build/bench/win32/profile_bench.exe"
