#!/usr/bin/env bash
# Layering of the sources under a source root (src by default): a file includes headers of its
# own layer and of the layers below it only, and a native header only inside the platform folder
# that wraps it. Lists each breach as file:line and exits 1 when there is any.
#
#   app -> menu -> controls -> framework -> platform -> core
#   settings sits beside framework: it includes platform and core only; menu includes settings.
set -euo pipefail
root=${1:-$(dirname "$0")/../src}
cd "$root"

# Every quoted or bracketed include below the root, as path<TAB>line<TAB>target<TAB>quote.
list_includes() {
  grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^">]+[">]' . \
    --include='*.h' --include='*.cpp' |
    sed -E 's|^\./||; s|^([^:]+):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*([<"])([^">]+)[">].*|\1\t\2\t\4\t\3|'
}

list_includes | awk -F'\t' '
function layer(path) {
  if (path ~ /^core\//) return "core"
  if (path ~ /^platform\//) return "platform"
  if (path ~ /^framework\//) return "framework"
  if (path ~ /^settings\//) return "settings"
  if (path ~ /^controls\//) return "controls"
  if (path ~ /^menu\//) return "menu"
  if (path ~ /^app\//) return "app"
  return ""
}
# The folder a native header belongs in, as a pattern over the including file.
function native_home(header) {
  if (header ~ /^X11\//) return "^platform/x11/"
  if (header ~ /^(windows|windowsx|winuser|wingdi|winver|shellapi|shlwapi|shlobj|objbase|gdiplus)\.h$/)
    return "^platform/win32/"
  if (header ~ /^(ft2build\.h|freetype\/|fontconfig\/)/) return "^platform/freetype/"
  if (header ~ /^(png|jpeglib|jerror|iconv)\.h$/) return "^platform/posix/"
  if (header ~ /^(unistd|fcntl|dirent|poll|spawn|pwd|dlfcn|langinfo)\.h$|^sys\//)
    return "^platform/(posix|x11|freetype)/"
  return ""
}
BEGIN {
  allowed["core"] = "core"
  allowed["platform"] = "platform core"
  allowed["framework"] = "framework platform core"
  allowed["settings"] = "settings platform core"
  allowed["controls"] = "controls framework platform core"
  allowed["menu"] = "menu settings controls framework platform core"
  allowed["app"] = "app menu settings controls framework platform core"
}
{
  file = $1; line = $2; target = $3; quote = $4
  if (quote == "<") {
    home = native_home(target)
    if (home != "" && file !~ home) {
      printf "%s:%s: native header <%s> outside its platform folder\n", file, line, target
      bad = 1
    }
    next
  }
  from = layer(file); to = layer(target)
  if (from == "" || to == "") next
  if ((" " allowed[from] " ") !~ (" " to " ")) {
    printf "%s:%s: %s includes %s, a layer it may not use\n", file, line, from, target
    bad = 1
  }
}
END { exit bad }
'
