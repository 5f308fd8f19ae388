#!/usr/bin/env bash
# Source rules a compiler does not check: the layering of src (scripts/check-layers.sh: no
# include of a layer above, native headers only in their platform folder), and every C++ file
# formatted by .clang-format, no C++ that GCC 10 (the compiler of the release program's Debian 11
# tree) lacks and the main build's newer compilers accept.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
if ! scripts/check-layers.sh src; then
  echo "check-sources: includes that break the layering of src (above)" >&2
  status=1
fi

mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.h' '*.cpp')
if ((${#sources[@]})) && ! clang-format --dry-run --Werror "${sources[@]}"; then
  echo "check-sources: run clang-format -i on the files above" >&2
  status=1
fi
# GCC 10 has no "using enum"; tests follow the same rule, so that any part may move to the release.
if git grep -nE '^\s*using enum ' -- '*.h' '*.cpp'; then
  echo "check-sources: GCC 10 has no \"using enum\": name the enumeration at each use" >&2
  status=1
fi
exit $status
