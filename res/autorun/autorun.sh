#!/bin/sh
# Starts the menu of this medium; desktops offer to run this file when the medium is mounted.
# The medium's folder is the menu folder and the current folder. Where the medium lets nothing
# run from it (mounted noexec, or a file system without execute permission), a copy of the
# program alone runs from a private temporary folder, which goes again when the menu ends.
medium=$(cd "$(dirname "$0")" && pwd -P) || exit 1
cd "$medium" || exit 1
if [ -x ./ostrel ]; then
  exec ./ostrel "$medium"
fi
copy=$(mktemp -d "${TMPDIR:-/tmp}/ostrel.XXXXXX") || exit 1
trap 'rm -rf "$copy"' EXIT
trap 'exit 1' HUP INT TERM
cp ./ostrel "$copy/ostrel" && chmod 700 "$copy/ostrel" || exit 1
"$copy/ostrel" "$medium"
