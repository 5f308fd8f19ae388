#!/usr/bin/env bash
# The one test command: installs what is missing, builds with warnings as errors, checks the
# layering and formatting rules, and runs every test label.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-sources.sh

cmake -S . -B build -G Ninja -DOSTREL_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
