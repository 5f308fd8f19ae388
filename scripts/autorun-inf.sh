#!/usr/bin/env bash
# Writes the autorun.inf of a release folder from its menu.ini, with Windows line ends:
#   scripts/autorun-inf.sh MENU_INI > autorun.inf
# The label is the menu's AppName, the icon the menu's Icon (else the program's own).
set -euo pipefail
ini=${1:?usage: autorun-inf.sh MENU_INI}

# The value of Key in [Main], whose names are compared without regard to case, as the menu does.
main_value() {
  awk -v key="$1" '
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { in_main = tolower($0) ~ /^[ \t]*\[main\][ \t]*$/; next }
    in_main && index($0, "=") {
      name = substr($0, 1, index($0, "=") - 1)
      gsub(/^[ \t]+|[ \t]+$/, "", name)
      if (tolower(name) == tolower(key)) { print substr($0, index($0, "=") + 1); exit }
    }' "$ini"
}

name=$(main_value AppName)
icon=$(main_value Icon)
printf '[autorun]\r\n'
printf 'open=ostrel.exe\r\n'
printf 'icon=%s\r\n' "${icon:-ostrel.exe}"
printf 'label=%s\r\n' "${name:-Ostrel}"
printf 'action=Open %s\r\n' "${name:-the menu}"
