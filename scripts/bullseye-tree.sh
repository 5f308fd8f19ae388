#!/usr/bin/env bash
# Makes, once, the Debian 11 tree in which scripts/release.sh builds the Linux program: its
# glibc 2.31 and compiler are what the released program is linked against, so that it starts on
# every distribution with glibc 2.28 or newer. The tree stays in place for the next run.
#   scripts/bullseye-tree.sh DIR
# Exits 77, the tests' code for skipped, saying why, when the tree cannot be made (no
# debootstrap, no root, no way to the archive).
set -euo pipefail
tree=${1:?usage: bullseye-tree.sh DIR}
archive=${OSTREL_DEBIAN_ARCHIVE:-http://deb.debian.org/debian}
# The build tools, the headers and static libraries of the picture and compression libraries,
# the headers of the shared desktop libraries, and the fonts the demo menu is drawn with.
packages=g++,make,cmake,ninja-build,binutils,libpng-dev,libjpeg62-turbo-dev,zlib1g-dev
packages+=,libfreetype6-dev,libfontconfig1-dev,libx11-dev,libxext-dev,libxrandr-dev,fonts-liberation
packages+=,fonts-dejavu-core

# The marker holds the package list the tree was made with; a tree made with an older list gets
# the packages added since.
[ -e "$tree/.complete" ] && [ "$(cat "$tree/.complete")" = "$packages" ] && exit 0
if ! command -v debootstrap >/dev/null || [ "$(id -u)" -ne 0 ]; then
  echo "bullseye-tree: SKIPPED: needs root and debootstrap (scripts/install-deps.sh installs it)" >&2
  exit 77
fi
if [ -e "$tree/.complete" ]; then
  if ! { chroot "$tree" apt-get update && DEBIAN_FRONTEND=noninteractive chroot "$tree" \
    apt-get install -y --no-install-recommends ${packages//,/ }; } >>"$tree.log" 2>&1; then
    echo "bullseye-tree: SKIPPED: adding packages from the archive failed (log: $tree.log)" >&2
    exit 77
  fi
  chroot "$tree" apt-get clean
  rm -rf "$tree"/var/lib/apt/lists/*
  echo "$packages" >"$tree/.complete"
  exit 0
fi
rm -rf "$tree"
mkdir -p "$(dirname "$tree")"
# Minimal base, no recommended packages; apt's downloaded archives are removed afterwards.
if ! debootstrap --variant=minbase --include="$packages" bullseye "$tree" "$archive" \
  >"$tree.log" 2>&1; then
  echo "bullseye-tree: SKIPPED: debootstrap from $archive failed (log: $tree.log)" >&2
  rm -rf "$tree"
  exit 77
fi
chroot "$tree" apt-get clean
rm -rf "$tree"/var/lib/apt/lists/*
echo "$packages" >"$tree/.complete"
