#!/usr/bin/env bash
# Makes the 32-bit Wine template prefix that scripts/wine-run.sh copies for
# every run. Usage: scripts/wine-prefix.sh [TEMPLATE_DIR]
#   TEMPLATE_DIR defaults to $SKAL_WINE_TEMPLATE, else <repo>/build/wine/template.
# Idempotent: returns at once when the template is ready (marker file
# TEMPLATE_DIR/.skal-ready, written last). Safe to call from several jobs at
# once: the first builds under an flock, the others wait for it. Needs no
# display. Prints the template path on stdout.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
template=${1:-${SKAL_WINE_TEMPLATE:-$repo/build/wine/template}}
marker=$template/.skal-ready

if [ -e "$marker" ]; then
  echo "$template"
  exit 0
fi

mkdir -p "$(dirname "$template")"
exec 9>"$template.lock"
flock 9
if [ -e "$marker" ]; then # another job built it while we waited
  echo "$template"
  exit 0
fi

# Build beside the final place and rename at the end, so a half-made
# template never sits at the path others use.
staging=$(mktemp -d "$template.build.XXXXXX")
trap 'rm -rf "$staging"' EXIT
rm -rf "$template"

export WINEPREFIX=$staging WINEARCH=win32 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
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
# The Debian wineserver keeps the name of its socket folder under $TMPDIR in
# the prefix; drop folder and name so that every copy makes a folder of its own.
socket_folder=$(cat "$staging/wineserver" 2>/dev/null || true)
if [[ $socket_folder =~ ^wine-[A-Za-z0-9]{6}$ ]]; then
  rm -rf "${TMPDIR:-/tmp}/$socket_folder"
fi
rm -f "$staging/wineserver"

touch "$staging/.skal-ready"
mv "$staging" "$template"
trap - EXIT
echo "$template"
