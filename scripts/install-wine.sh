#!/usr/bin/env bash
# Installs what the Windows build and its tests under Wine need, where it is missing: the
# 32-bit cross compiler, 32-bit Wine, and the virtual display with its window manager.
set -euo pipefail

packages=(g++-mingw-w64-i686 wine wine32:i386 xvfb xdotool openbox)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
((${#missing[@]})) || exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# 32-bit Wine comes from the i386 architecture, which the package lists must include.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
