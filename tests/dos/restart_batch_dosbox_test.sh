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

# Three deferred files: one over a read-only installed file, one whose
# destination does not exist yet, one whose folder does not exist (its move
# fails, so the batch and the mover stay for the next start). The staged
# files are larger than the mover's copy buffer.
head -c 70000 /dev/urandom >"$work/WINDOWS/TEMP/LONGNA~1.DL0"
head -c 40000 /dev/urandom >"$work/WINDOWS/TEMP/OTHERN~1.EX0"
cp "$work/WINDOWS/TEMP/LONGNA~1.DL0" "$work/expected1"
cp "$work/WINDOWS/TEMP/OTHERN~1.EX0" "$work/expected2"
head -c 1000 /dev/urandom >"$work/WINDOWS/TEMP/THIRDF~1.DL0"
cp "$work/WINDOWS/TEMP/THIRDF~1.DL0" "$work/expected3"
echo "old file" >"$work/SKAL/LONGNA~1.DLL"
chmod 444 "$work/SKAL/LONGNA~1.DLL"

t='C:\WINDOWS\TEMP\'
{
  "$probe" mover "${t}ZMTMOVE.EXE" "${t}LONGNA~1.DL0" 'C:\SKAL\LONGNA~1.DLL'
  "$probe" mover "${t}ZMTMOVE.EXE" "${t}OTHERN~1.EX0" 'C:\SKAL\SUB\OTHERN~1.EXE'
  "$probe" mover "${t}ZMTMOVE.EXE" "${t}THIRDF~1.DL0" 'C:\LATER\THIRDF~1.DLL'
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
for gone in "WINDOWS/TEMP/LONGNA~1.DL0" "WINDOWS/TEMP/OTHERN~1.EX0" 'SKAL/LONGNA~1.$$$' 'SKAL/SUB/OTHERN~1.$$$'; do
  [ ! -e "$work/$gone" ] || fail "$gone was not deleted"
done
for kept in "WINDOWS/TEMP/THIRDF~1.DL0" WINDOWS/TEMP/ZMTMOVE.BAT WINDOWS/TEMP/ZMTMOVE.EXE; do
  [ -e "$work/$kept" ] || fail "$kept went although a move failed"
done

# With the folder there, the next start completes the batch and removes it.
mkdir "$work/LATER"
dos 'call C:\AUTOEXEC.BAT'
cmp -s "$work/LATER/THIRDF~1.DLL" "$work/expected3" || fail "the failed move was not done at the next start"
cmp -s "$work/SKAL/LONGNA~1.DLL" "$work/expected1" || fail "a done move was repeated"
for gone in "WINDOWS/TEMP/THIRDF~1.DL0" WINDOWS/TEMP/ZMTMOVE.BAT WINDOWS/TEMP/ZMTMOVE.EXE; do
  [ ! -e "$work/$gone" ] || fail "$gone was not deleted"
done

# The next start runs Autoexec.bat again: nothing is left to do, nothing breaks.
dos 'call C:\AUTOEXEC.BAT > AGAIN.TXT'
[ ! -s "$work/AGAIN.TXT" ] || fail "second start printed: $(cat "$work/AGAIN.TXT")"
cmp -s "$work/SKAL/LONGNA~1.DLL" "$work/expected1" || fail "replaced file changed at the second start"

# A full disk: the mover's copy fails part way, and the installed file must
# stay whole (the copy goes to a name of its own first). The destination
# lies on a 1 MiB tmpfs mounted in a mount namespace of this run alone,
# which needs root; without it this case is skipped with a note.
head -c 3000000 /dev/urandom >"$work/BIGFILE.DL0"
full_disk_case() {
  mkdir "$work/full"
  mount -t tmpfs -o size=1m skal-dos-full "$work/full" || return 2
  echo "installed" >"$work/full/DEST.DLL"
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 dosbox -noconsole -c "mount c $work" \
    -c "mount d $work/full" -c "c:" -c "C:\\WINDOWS\\TEMP\\ZMTMOVE.EXE C:\\BIGFILE.DL0 D:\\DEST.DLL" \
    -c exit >/dev/null 2>&1 || return 1
  ls "$work/full" >"$work/full-listing"
  cp "$work/full/DEST.DLL" "$work/full-dest"
}
export -f full_disk_case
export work
cp "$mover" "$work/WINDOWS/TEMP/ZMTMOVE.EXE"
if unshare -m bash -c full_disk_case 2>/dev/null; then
  [ "$(cat "$work/full-dest")" = "installed" ] || fail "a copy that failed on a full disk damaged the installed file"
  [ "$(cat "$work/full-listing")" = "DEST.DLL" ] || fail "a failed copy was left on the full disk: $(cat "$work/full-listing")"
  [ -e "$work/BIGFILE.DL0" ] || fail "the staged file went although its move failed"
else
  echo "restart batch in DOSBox: the full-disk case did not run (no mount namespace or tmpfs; needs root)"
fi
echo "restart batch in DOSBox: files moved, a failed move kept for the next start, then batch and mover deleted"
