#!/usr/bin/env bash
# Runs the restart batch made by the runner's batch text, with the mover, in
# DOSBox, as C:\Autoexec.bat would at the next start of Windows 98, and checks
# the files afterwards. Also checks the mover's usage text.
#   restart_batch_dosbox_test.sh PROBE MOVER
set -euo pipefail
probe=$1
mover=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

dos() {  # one DOSBox session on drive C = $work, each argument a command
  local commands=()
  for c in "$@"; do commands+=(-c "$c"); done
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 \
    dosbox -noconsole -c "mount c $work" -c "c:" "${commands[@]}" -c exit >/dev/null 2>&1 ||
    fail "DOSBox did not finish"
}

mkdir -p "$work/WINDOWS/TEMP" "$work/SKAL/SUB"
cp "$mover" "$work/WINDOWS/TEMP/ZMTMOVE.EXE"

# Without arguments: the usage text, nothing else.
dos 'C:\WINDOWS\TEMP\ZMTMOVE.EXE > USAGE.TXT'
printf '%s\r\n' "Norvance AntiVirus Move/Delete File Program V1.0" "Usage:" \
  "  ZMTMove [SourceFile] <DestFile>" "  SourceFile :  Source file to be moved." \
  "  DestFile   :  Specifies the filename for the dest file;" \
  "                If SourceFile is empty then delete the dest file." \
  "Thank you for using Norvance Product!" >"$work/expected.txt"
cmp "$work/USAGE.TXT" "$work/expected.txt" || fail "usage text differs"

# Two deferred files: one over a read-only installed file, one whose
# destination does not exist yet. The staged files are larger than the
# mover's copy buffer.
head -c 70000 /dev/urandom >"$work/WINDOWS/TEMP/LONGNA~1.DL0"
head -c 40000 /dev/urandom >"$work/WINDOWS/TEMP/OTHERN~1.EX0"
cp "$work/WINDOWS/TEMP/LONGNA~1.DL0" "$work/expected1"
cp "$work/WINDOWS/TEMP/OTHERN~1.EX0" "$work/expected2"
echo "old file" >"$work/SKAL/LONGNA~1.DLL"
chmod 444 "$work/SKAL/LONGNA~1.DLL"

t='C:\WINDOWS\TEMP\'
{
  "$probe" mover "${t}ZMTMOVE.EXE" "${t}LONGNA~1.DL0" 'C:\SKAL\LONGNA~1.DLL'
  "$probe" mover "${t}ZMTMOVE.EXE" "${t}OTHERN~1.EX0" 'C:\SKAL\SUB\OTHERN~1.EXE'
} >"$work/WINDOWS/TEMP/ZMTMOVE.BAT"

# An Autoexec.bat whose last line has no CR LF, armed twice: the start text
# goes in once, on lines of its own.
printf '@echo off\r\nset DIRCMD=/O' >"$work/AUTOEXEC.BAT"
"$probe" start "${t}ZMTMOVE.BAT" "${t}ZMTMOVE.EXE" "$work/AUTOEXEC.BAT"
cp "$work/AUTOEXEC.BAT" "$work/armed-once"
"$probe" start "${t}ZMTMOVE.BAT" "${t}ZMTMOVE.EXE" "$work/AUTOEXEC.BAT"
cmp -s "$work/AUTOEXEC.BAT" "$work/armed-once" || fail "start text added twice"
grep -q $'^set DIRCMD=/O\r$' "$work/AUTOEXEC.BAT" || fail "start text not on a line of its own"

dos 'call C:\AUTOEXEC.BAT'

cmp -s "$work/SKAL/LONGNA~1.DLL" "$work/expected1" || fail "read-only destination not replaced"
cmp -s "$work/SKAL/SUB/OTHERN~1.EXE" "$work/expected2" || fail "missing destination not created"
for gone in "WINDOWS/TEMP/LONGNA~1.DL0" "WINDOWS/TEMP/OTHERN~1.EX0" WINDOWS/TEMP/ZMTMOVE.BAT WINDOWS/TEMP/ZMTMOVE.EXE; do
  [ ! -e "$work/$gone" ] || fail "$gone was not deleted"
done

# The next start runs Autoexec.bat again: nothing is left to do, nothing breaks.
dos 'call C:\AUTOEXEC.BAT > AGAIN.TXT'
[ ! -s "$work/AGAIN.TXT" ] || fail "second start printed: $(cat "$work/AGAIN.TXT")"
cmp -s "$work/SKAL/LONGNA~1.DLL" "$work/expected1" || fail "replaced file changed at the second start"
echo "restart batch in DOSBox: files moved, batch and mover deleted"
