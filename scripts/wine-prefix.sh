#!/usr/bin/env bash
# Makes the Wine template prefix that scripts/wine-run.sh copies for every
# run: 32-bit, or 64-bit where SKAL_WINE_ARCH (see wine-env.sh) says win64.
# Usage: scripts/wine-prefix.sh [TEMPLATE_DIR]
#   TEMPLATE_DIR defaults to $SKAL_WINE_TEMPLATE, else
#   <repo>/build/wine/template (template64 for a 64-bit prefix).
# Idempotent: returns at once when the template is ready (marker file
# TEMPLATE_DIR/.skal-ready, written last, beside the list .skal-shared).
# Safe to call from several jobs at once: the first builds under an flock,
# the others wait for it. Needs no display. Prints the template path.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$repo/scripts/wine-env.sh"
default_template=$repo/build/wine/template
[ "$SKAL_WINE_ARCH" = win32 ] || default_template+=64
template=${1:-${SKAL_WINE_TEMPLATE:-$default_template}}
marker=$template/.skal-ready
shared=$template/.skal-shared

if [ -e "$marker" ] && [ -e "$shared" ]; then
  echo "$template"
  exit 0
fi

mkdir -p "$(dirname "$template")"
exec 9>"$template.lock"
flock 9
if [ -e "$marker" ] && [ -e "$shared" ]; then # another job built it meanwhile
  echo "$template"
  exit 0
fi

# Build beside the final place and rename at the end, so a half-made
# template never sits at the path others use. Under the lock, leftovers of
# an interrupted build are ours to remove.
rm -rf "$template" "$template".build.*
staging=$(mktemp -d "$template.build.XXXXXX")
# The Debian wineserver keeps the name of its socket folder under $TMPDIR
# (mkdtemp: wine-XXXXXX) in the prefix; drop folder and name, so that every
# copy of the template makes a folder of its own.
drop_socket_folder() {
  local name
  name=$(cat "$staging/wineserver" 2>/dev/null || true)
  if [[ $name =~ ^wine-[A-Za-z0-9]{6}$ ]]; then
    rm -rf "${TMPDIR:-/tmp}/$name"
  fi
  rm -f "$staging/wineserver"
}
discard_staging() {
  WINEPREFIX=$staging wineserver -k 2>/dev/null || true
  WINEPREFIX=$staging wineserver -w 2>/dev/null || true
  drop_socket_folder
  rm -rf "$staging"
}
trap discard_staging EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

export WINEPREFIX=$staging WINEARCH=$SKAL_WINE_ARCH WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
# No Mono or Gecko installer prompts, no menu entries written into $HOME.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
echo "wine-prefix: creating template $template (about 15 s)" >&2
wineboot -i >/dev/null 2>&1
wineserver -w

# Wine links the user's Desktop, Documents, ... to $HOME. Make them real
# folders so that programs under test never write outside their prefix.
for link in "$staging"/drive_c/users/*/*; do
  if [ -L "$link" ]; then
    rm "$link"
    mkdir "$link"
  fi
done
drop_socket_folder

# The files that each run's prefix shares with the template by hard link
# (see wine-run.sh): Wine's builtin DLL, EXE and NLS placeholders, which Wine
# rewrites only when it updates a prefix. One line each: size, modification
# time, path; wine-run.sh checks after a run that they still match.
(cd "$staging" &&
  find drive_c/windows/system32 -regextype posix-extended -type f \
    -iregex '.*\.(dll|exe|drv|sys|vxd|ocx|cpl|acm|tlb|ax|com|mod|nls)' -printf '%s %T@ %p\n' |
  LC_ALL=C sort) >"$staging/.skal-shared"

touch "$staging/.skal-ready"
mv "$staging" "$template"
trap - EXIT
echo "$template"
