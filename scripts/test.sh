#!/usr/bin/env bash
# The one test command: installs what is missing, builds with warnings as errors, checks the
# layering and formatting rules, and runs every test label.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/install-wine.sh
scripts/check-sources.sh

# The Windows program first: the main build's wine label runs it under Wine.
windows_exe=$(scripts/build-windows.sh "$PWD/build-win32")
cmake -S . -B build -G Ninja -DOSTREL_WERROR=ON -DOSTREL_WINDOWS_EXE="$windows_exe"
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"

# A second build with clang under the address, undefined-behaviour and leak sanitizers: the unit
# and render tests again, then every fuzz target for a bounded time.
scripts/fuzz-and-sanitize.sh
