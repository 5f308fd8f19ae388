#!/usr/bin/env bash
# The run command: installs what is missing, builds, and shows the demo menu. Until the menu
# window exists, it prints the menu description the menu program loads from examples/demo.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target ostrel-inspect
# Targets are found from the current directory, as when the menu is started from its own folder.
cd examples/demo
../../build/tools/inspect/ostrel-inspect .
