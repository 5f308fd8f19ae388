#!/usr/bin/env bash
# Source rules a compiler does not check: native headers stay in src/platform, and every C++
# file is formatted by .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
native='#[[:space:]]*include[[:space:]]*[<"](X11/|windows\.h|ft2build\.h|freetype/|fontconfig/|winuser\.h|wingdi\.h)'
if grep -rEn "$native" src --include='*.h' --include='*.cpp' | grep -v '^src/platform/'; then
  echo "check-sources: platform headers outside src/platform (above)" >&2
  status=1
fi

mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.h' '*.cpp')
if ((${#sources[@]})) && ! clang-format --dry-run --Werror "${sources[@]}"; then
  echo "check-sources: run clang-format -i on the files above" >&2
  status=1
fi
exit $status
