#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, where they are missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang-format libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
  libjpeg62-turbo-dev python3 libfreetype-dev libfontconfig-dev fonts-liberation fonts-dejavu-core
  libx11-dev libxext-dev libxrandr-dev libxdamage-dev xvfb xdotool x11-utils x11-xkb-utils openbox
  liblz4-dev zlib1g-dev debootstrap)
# Callers may ask for more (the demo's screenshot tools) through EXTRA_PACKAGES.
read -r -a extra <<<"${EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
