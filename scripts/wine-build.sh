#!/usr/bin/env bash
# Decides which Windows build the tests run under Wine, and why.
# Prints two lines: the build (win32 or win64), then the reason in words.
# win32, the program that ships, runs under 32-bit Wine, which needs a kernel that starts 32-bit
# programs; some machines' kernels refuse them ("Exec format error"), and there the 64-bit
# build runs under 64-bit Wine. OSTREL_WINE_BUILD=win32 or win64 forces the choice.
set -euo pipefail

case "${OSTREL_WINE_BUILD:-}" in
  win32 | win64)
    echo "$OSTREL_WINE_BUILD"
    echo "forced by OSTREL_WINE_BUILD"
    exit 0
    ;;
  "") ;;
  *) echo "wine-build: OSTREL_WINE_BUILD is win32 or win64, not '$OSTREL_WINE_BUILD'" >&2; exit 2 ;;
esac

# The smallest 32-bit x86 program: one ELF header, one loadable segment, and the exit system
# call with status 42. It needs no library, so only the kernel decides whether it runs.
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0'\
'\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0'\
'\0\20\0\0\270\1\0\0\0\273\52\0\0\0\315\200' >"$probe"
chmod +x "$probe"
status=0
answer=$("$probe" 2>&1) || status=$?
answer=${answer##*"$probe": }
if [ "$status" -eq 42 ]; then
  echo win32
  echo "this machine starts 32-bit programs"
else
  echo win64
  echo "this machine does not start 32-bit programs (exit status $status${answer:+: $answer})"
fi
