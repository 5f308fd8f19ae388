#!/usr/bin/env bash
# The Windows program's start under Wine against the least a Windows program does to show the
# same face (bench/win32/MinimalWindow.cpp: a window and one StretchDIBits of raw pixels), both
# started in turns on a private Xvfb through the same probe as bench/run-startup.sh. The prefix
# is warm: made once, its server kept running, and two starts of each program before counting.
# Prints start times and paired ratios; hover and idle are not measured here (the reference
# never repaints, and Wine's helper processes would count in the idle figures).
# RUNS (default 15) and WARMUPS (default 2) set the repetitions.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# The build this machine's Wine runs: 32-bit where it starts 32-bit programs, else 64-bit.
mapfile -t choice < <(scripts/wine-build.sh)
arch=${choice[0]}
echo "Windows build: $arch, because ${choice[1]}."
scripts/install-wine.sh "$arch"
wine=$(command -v wine) wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
if [ "$arch" = win64 ]; then
  wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64
fi
windows=$root/build-$arch
OSTREL_WINDOWS_ARCH=$arch scripts/build-windows.sh "$windows" >/dev/null
cmake --build "$windows" --target minimal_window_win32 >/dev/null

build=$(realpath -m "${OSTREL_BENCH_DIR:-build-bench}")
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target ostrel-inspect ostrel-demo-art startup_probe >/dev/null

menu=$(mktemp -d)
prefix=$(mktemp -d)
xvfb=
cleanup() {
  WINEPREFIX="$prefix" "$wineserver" -k 2>/dev/null || true
  kill $xvfb 2>/dev/null || true
  rm -rf "$menu" "$prefix"
}
trap cleanup EXIT
bench/startup/make-menu.sh "$build" "$menu"
cp "$windows/src/app/ostrel.exe" "$windows/bench/win32/minimal_window.exe" "$menu"/
cd "$menu"

display=:78
Xvfb $display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# The server stays for the whole run, as on a desktop where Wine programs ran before.
"$wineserver" -p
"$wine" wineboot -i >/dev/null 2>&1
"$build"/bench/startup/startup_probe "${RUNS:-15}" "${WARMUPS:-2}" "$menu/face.png" \
  "$menu/hot.png" \
  -- "minimal Win32 window" reference,start-only "$wine" minimal_window.exe menu.raw 640 480 \
  -- "ostrel.exe" start-only "$wine" ostrel.exe
