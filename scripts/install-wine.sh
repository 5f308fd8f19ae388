#!/usr/bin/env bash
# Installs what the Windows builds and their tests under Wine need, where it is missing: both
# cross compilers, the virtual display with its window manager, and the Wine that runs the
# build named by the argument: 32-bit Wine for win32 (the default), 64-bit Wine for win64.
# Usage: scripts/install-wine.sh [win32|win64]
set -euo pipefail

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 xvfb xdotool openbox)
case "${1:-win32}" in
  win32) packages+=(wine wine32:i386) ;;
  win64) packages+=(wine64 wine) ;;
  *) echo "install-wine: the build is win32 or win64, not '$1'" >&2; exit 2 ;;
esac
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
((${#missing[@]})) || exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# 32-bit Wine comes from the i386 architecture, which the package lists must include.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
