#!/usr/bin/env bash
# Cross-builds the settings benchmark and runs it under Wine in a private prefix: our reader
# against the system's GetPrivateProfileStringA on a 1000-entry menu, printed as a ratio.
# Usage: bench/run-profile-wine.sh [cross build folder]   (default: build-win32 in the checkout)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-win32}"

"$root/scripts/build-windows.sh" "$build" >/dev/null
cmake --build "$build" --target profile_bench >/dev/null
prefix=$(mktemp -d)
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
# The benchmark opens no window; a display is needed only for Wine's first start of the prefix.
unset DISPLAY
wineboot -i >/dev/null 2>&1
wine "$build/bench/win32/profile_bench.exe"
