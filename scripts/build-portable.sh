#!/usr/bin/env bash
# Builds the released Linux program inside the Debian 11 tree that scripts/bullseye-tree.sh
# makes: linked against glibc 2.31's symbol versions, with the C++ runtime, libpng, libjpeg-turbo
# and zlib linked in and X11, Xext, fontconfig and FreeType left to the system.
#   scripts/build-portable.sh TREE
# The build folder stays in the tree for the next run. Prints the path of the built program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="$(cd "${1:?usage: build-portable.sh TREE}" && pwd)"

mounts=()
release_mounts() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}"; done
}
trap release_mounts EXIT
trap 'exit 1' HUP INT TERM
mkdir -p "$tree/src/ostrel" "$tree/proc"
mount --bind "$root" "$tree/src/ostrel"
mounts+=("$tree/src/ostrel")
# Read-only: removing the tree while the source is still bound cannot reach the checkout.
mount -o remount,bind,ro "$tree/src/ostrel"
# CMake finds its own files through /proc/self/exe.
mount -t proc proc "$tree/proc"
mounts+=("$tree/proc")

lib=/usr/lib/x86_64-linux-gnu
chroot "$tree" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/root LANG=C.UTF-8 sh -c "
  cmake -S /src/ostrel -B /build/ostrel -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS=-g -DOSTREL_GLIBC_2_28=ON -DOSTREL_TESTS=OFF -DOSTREL_BENCH=OFF \
    -DPNG_LIBRARY=$lib/libpng16.a -DZLIB_LIBRARY=$lib/libz.a -DJPEG_LIBRARY=$lib/libjpeg.a \
    >/dev/null &&
  cmake --build /build/ostrel --target ostrel -j2" >&2
echo "$tree/build/ostrel/src/app/ostrel"
