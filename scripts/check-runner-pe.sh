#!/usr/bin/env bash
# Checks that a built program is what ships in a package: an i686 PE with the
# GUI subsystem that imports only DLLs every Windows system has.
#   scripts/check-runner-pe.sh PROGRAM.exe
set -euo pipefail
exe=$1
dump=$(i686-w64-mingw32-objdump -p "$exe")
fail() { echo "check-runner-pe: $exe: $*" >&2; exit 1; }

grep -q 'file format pei-i386' <<<"$dump" || fail "not an i686 PE"
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$dump" || fail "not a GUI-subsystem program"

allowed='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|version|ole32|oleaut32|shlwapi|msvcrt)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || fail "no imports found"
while read -r dll; do
  grep -Eq "$allowed" <<<"$dll" || fail "imports $dll, which is not a Windows system DLL"
done <<<"$imports"
echo "$exe: i686 GUI program importing only: $(tr '\n' ' ' <<<"$imports")"
