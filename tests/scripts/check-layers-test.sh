#!/usr/bin/env bash
# scripts/check-layers.sh passes on the tree and fails on each kind of breach planted in a copy.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
check="$repo/scripts/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # expect pass|fail <what> : runs the check on $work/src
  local want=$1 what=$2 got=pass
  "$check" "$work/src" >"$work/out" 2>&1 || got=fail
  if [[ $got != "$want" ]]; then
    echo "FAIL: $what: expected $want, got $got" >&2
    cat "$work/out" >&2
    failures=$((failures + 1))
  fi
}

# Plants one line at the top of a file of the copy, checks, and takes it out again.
planted() {  # planted pass|fail <file> <line>
  local want=$1 file=$work/src/$2 line=$3
  cp "$file" "$work/saved"
  { echo "$line"; cat "$work/saved"; } >"$file"
  expect "$want" "$2 with '$line'"
  cp "$work/saved" "$file"
}

if ! "$check" "$repo/src"; then
  echo "FAIL: the tree breaks its own layering" >&2
  failures=$((failures + 1))
fi

cp -r "$repo/src" "$work/src"
expect pass "the unchanged copy"
planted fail settings/IniFile.cpp '#include "framework/Canvas.h"'
planted fail settings/IniFile.cpp '#include "controls/draw/KitBevel.h"'
planted fail core/Font.cpp '#include "platform/FileSystem.h"'
planted fail platform/posix/PosixLocale.cpp '#include "framework/Form.h"'
planted fail framework/Canvas.cpp '#include "controls/draw/KitBevel.h"'
planted fail framework/Canvas.cpp '#include "settings/IniFile.h"'
planted fail controls/draw/KitBevel.cpp '#include "menu/MenuInfo.h"'
planted fail menu/MenuInfo.cpp '#include "app/MainForm.h"'
planted fail framework/Canvas.cpp '#include <X11/Xlib.h>'
planted fail platform/win32/Win32Locale.cpp '#include <X11/Xlib.h>'
planted fail platform/x11/X11Text.cpp '#include <windows.h>'
planted fail settings/IniFile.cpp '#include <unistd.h>'
planted fail core/Font.cpp '#  include <ft2build.h>'
planted pass menu/MenuInfo.cpp '#include "settings/IniFile.h"'
planted pass menu/MenuInfo.cpp '#include "controls/draw/KitBevel.h"'
planted pass settings/IniFile.cpp '#include "platform/FileSystem.h"'
planted pass app/MainForm.cpp '#include "menu/MenuInfo.h"'
planted pass platform/x11/X11Window.cpp '#include <unistd.h>'

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "check-layers: all cases behave"
