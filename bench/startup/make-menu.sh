#!/usr/bin/env bash
# Writes the start-up benchmarks' menu into a folder: a 640 x 480 24-bit background (menu.bmp),
# the same picture as raw rows for the reference programs (menu.raw), four bold captions over
# it, and what the menu must show, drawn by the inspector (face.png, and hot.png with the first
# button under the pointer).
# Usage: bench/startup/make-menu.sh BUILD_FOLDER MENU_FOLDER
set -euo pipefail
build=$1 menu=$2

"$build"/tools/demo-art/ostrel-demo-art "$menu/menu.bmp" 640 480
# The references read the same picture as rows of 32-bit pixels, top row first: nothing to decode.
python3 - "$menu/menu.bmp" "$menu/menu.raw" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
offset, = struct.unpack_from('<I', data, 10)
width, height, _, bits = struct.unpack_from('<iiHH', data, 18)
assert bits == 24, 'the benchmark picture is a 24-bit bitmap'
stride = (width * 3 + 3) & ~3
rows = [data[offset + y * stride: offset + y * stride + width * 3] for y in range(abs(height))]
if height > 0:
    rows.reverse()
with open(sys.argv[2], 'wb') as out:
    for row in rows:
        out.write(b''.join(row[x:x + 3] + b'\0' for x in range(0, width * 3, 3)))
PY
echo "The target of every button." >"$menu/readme.txt"
{
  printf '[Main]\nBackground=menu.bmp\nAppName=Start-up benchmark\nProgCount=4\n'
  # Where bench/startup/ReferenceWindow.h puts the limit's labels.
  for i in 1 2 3 4; do
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
