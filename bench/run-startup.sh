#!/usr/bin/env bash
# Whole-program timings on a private Xvfb without a window manager: the menu program showing a
# 640 x 480 menu of eight buttons against a minimal Xlib program that maps a window of the same
# size and puts an image into it, started in turns. Prints start-up, hover, memory and idle
# figures with their ratios. RUNS (default 15) and WARMUPS (default 2) set the repetitions;
# OSTREL_BENCH_DIR chooses the build folder (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath -m "${OSTREL_BENCH_DIR:-build-bench}")
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target ostrel ostrel-inspect ostrel-demo-art minimal_window \
  startup_probe >/dev/null

menu=$(mktemp -d)
xvfb=
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$menu"' EXIT
cp "$build"/src/app/ostrel "$menu"/
"$build"/tools/demo-art/ostrel-demo-art "$menu/menu.bmp" 640 480
echo "The target of every button." >"$menu/readme.txt"
{
  printf '[Main]\nBackground=menu.bmp\nAppName=Start-up benchmark\nProgCount=8\n'
  for i in $(seq 1 8); do
    printf '[Prog_%d]\nX=40\nY=%d\nWidth=260\nHeight=32\nButtonText=Button &%d\n' \
      "$i" $((20 + 40 * i)) "$i"
    printf 'FontInfo=Times New Roman,14,B,0,clYellow,204\nHighlightColor=clLime\n'
    printf 'ExePath=readme.txt\n'
  done
} >"$menu/menu.ini"
# Targets are found from the current folder, as when a menu is started from its medium's root.
cd "$menu"
"$build"/tools/inspect/ostrel-inspect --render "$menu/face.png" "$menu" >/dev/null
"$build"/tools/inspect/ostrel-inspect --render "$menu/hot.png" --hot 0 "$menu" >/dev/null

display=:79
Xvfb $display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$build"/bench/startup/startup_probe "${RUNS:-15}" "${WARMUPS:-2}" \
  "$build"/bench/startup/minimal_window "$menu/ostrel" "$menu/face.png" "$menu/hot.png"
