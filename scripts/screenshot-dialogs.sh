#!/usr/bin/env bash
# Pictures of the two installation discovery dialogs as the runner shows them,
# taken on a private Xvfb in a throw-away Wine prefix:
#   OUT_DIR/version-choice-dialog.png  the choice between two installations
#   OUT_DIR/install-folder-dialog.png  the prompt for the .NET edition's folder
# runner_probe runs the runner's steps with its resources; skal_layout lays
# out the simulated installations; wauto finds, drives and closes the windows.
#
# Usage: scripts/screenshot-dialogs.sh [BIN_DIR [OUT_DIR]]
#   BIN_DIR  the Windows build's bin folder (default build/win32/bin)
#   OUT_DIR  where the pictures go (default docs)
# Needs Xvfb, xwininfo (x11-utils) and ImageMagick (import, identify).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [ "${1:-}" != --in-prefix ]; then
  bin=$(cd "${1:-$root/build/win32/bin}" && pwd)
  mkdir -p "${2:-$root/docs}"
  out=$(cd "${2:-$root/docs}" && pwd)
  for program in runner_probe.exe wauto.exe skal_layout.exe ZMTSKAL.DLL; do
    [ -e "$bin/$program" ] || { echo "screenshot-dialogs: $bin/$program is missing" >&2; exit 2; }
  done
  # Without DISPLAY, wine-run.sh starts a private Xvfb: nothing else on screen.
  exec env -u DISPLAY "$root/scripts/wine-run.sh" --shell bash "${BASH_SOURCE[0]}" --in-prefix "$bin" "$out"
fi

# From here on inside the prefix.
bin=$2
out=$3
caption="Skal提示信息"

wauto() { wine "$bin/wauto.exe" "$@"; }

# Saves the window captioned $1 (with the frame Wine draws for it) as $2.
shoot() {
  local window
  window=$(xwininfo -name "$1" 2>/dev/null | awk '/Window id:/ { print $4; exit }')
  [ -n "$window" ] || { echo "screenshot-dialogs: no X window \"$1\"" >&2; return 1; }
  # Few colours: a palette keeps the picture small.
  import -window "$window" -strip -colors 64 PNG8:"$2"
  echo "screenshot-dialogs: $2 ($(identify -format '%wx%h' "$2"), $(stat -c %s "$2") bytes)"
}

# Waits for the dialog and lets it paint.
wait_dialog() {
  wauto wait "$caption" >/dev/null
  sleep 1
}

# Two usable installations of the antivirus: V2.0 without a caption of its own
# (listed by the name from the string table) and V4.0 with one.
wine "$bin/skal_layout.exe" antivirus 2 --folder 'C:\Program Files\Norvance\Skal2001' --no-library
wine "$bin/skal_layout.exe" antivirus 4 --folder 'C:\Program Files\Norvance\Skal' --caption "NorvanceSkal 杀毒软件 2003"
wine "$bin/runner_probe.exe" choose antivirus 'C:\choose.txt' &
probe=$!
wait_dialog
expected=$(printf '1\tNorvanceSkal2001\n0\t%s' "$(printf 'NorvanceSkal 杀毒软件 2003' | iconv -f UTF-8 -t GBK)")
if [ "$(wauto rows "$caption" 1007)" != "$expected" ]; then
  echo "screenshot-dialogs: the version list does not hold the two installations" >&2
  exit 1
fi
shoot "$caption" "$out/version-choice-dialog.png"
wauto click "$caption" 1 >/dev/null
wait "$probe"

# The .NET edition's folder, asked for when its key has no "ProgramPath".
wine "$bin/runner_probe.exe" askfolder 'C:\askfolder.txt' &
probe=$!
wait_dialog
shoot "$caption" "$out/install-folder-dialog.png"
# Cancel asks whether to quit (a box captioned with the program's name).
wauto click "$caption" 2 >/dev/null
wauto msgbox runner_probe yes >/dev/null
wait "$probe"
