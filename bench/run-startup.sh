#!/usr/bin/env bash
# Whole-program timings on a private Xvfb without a window manager, through the server's damage
# reports: the menu program showing a 640 x 480 menu with a 24-bit background and four bold
# captions, with its face cache warm and with none, against the physical limit (a minimal Xlib
# program that puts the same picture from raw pixels with one request and draws four framed
# labels with core requests) and xmessage, started in turns. Prints each program's start with its
# paired ratios to the limit (median and least), resident memory, hover and idle figures.
# RUNS (default 21) and WARMUPS (default 2) set the repetitions; OSTREL_BENCH_DIR chooses the
# build folder (default build-bench); OSTREL_BENCH_BEFORE names another build of the menu program
# to measure in the same run, both ways.
set -euo pipefail
cd "$(dirname "$0")/.."

command -v xmessage >/dev/null || scripts/install-deps.sh

build=$(realpath -m "${OSTREL_BENCH_DIR:-build-bench}")
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target ostrel ostrel-inspect ostrel-demo-art minimal_window \
  startup_probe >/dev/null

menu=$(mktemp -d)
xvfb=
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$menu"' EXIT
cp "$build"/src/app/ostrel "$menu"/
bench/startup/make-menu.sh "$build" "$menu"
# Targets are found from the current folder, as when a menu is started from its medium's root.
cd "$menu"

programs=(-- limit reference "$build"/bench/startup/minimal_window "$menu/menu.raw" 640 480
  -- xmessage find-button /usr/bin/xmessage -geometry 640x480
  -buttons "Button 1,Button 2,Button 3,Button 4" "Start-up benchmark"
  -- "ostrel, face cache warm" frames "XDG_CACHE_HOME=$menu/warm" "$menu/ostrel"
  -- "ostrel, no face cache" "frames,cold=$menu/cold" "XDG_CACHE_HOME=$menu/cold" "$menu/ostrel")
if [ -n "${OSTREL_BENCH_BEFORE:-}" ]; then
  cp "$OSTREL_BENCH_BEFORE" "$menu/ostrel-before"
  programs+=(-- "before, face cache warm" frames "XDG_CACHE_HOME=$menu/warm-before"
    "$menu/ostrel-before"
    -- "before, no face cache" "frames,cold=$menu/cold-before" "XDG_CACHE_HOME=$menu/cold-before"
    "$menu/ostrel-before")
fi

display=:79
Xvfb $display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$build"/bench/startup/startup_probe "${RUNS:-21}" "${WARMUPS:-2}" "$menu/face.png" \
  "$menu/hot.png" "${programs[@]}"
