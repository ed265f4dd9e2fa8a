#!/usr/bin/env bash
# The import gate: checks that programs would load on every Windows the
# product runs on, Windows 95 (with msvcrt.dll), 98, Me, NT 4.0, 2000 and XP.
# Windows' loader refuses a program before any of its code runs when the
# program imports a DLL or function the system lacks, or when its header asks
# for more than the system's loader reads; Wine exports everything in every
# version mode, so no run under Wine shows this.
#   tools/import-gate/import-gate.sh PROGRAM...
# Checks each program's PE header (i386, GUI subsystem 4.0, OS version 4.0,
# section alignment 4096, file alignment 512 or more) and every imported
# function against exports.txt beside this script. Prints one line per fault
# and exits 1, or one line per program and exits 0.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
[ $# -gt 0 ] || { echo "usage: $0 PROGRAM..." >&2; exit 2; }

status=0
for program in "$@"; do
  dump=$("$objdump" -p "$program") || { echo "import-gate: $program: not a readable PE file"; status=1; continue; }
  awk -v program="$(basename "$program")" '
    # The reference table: DLL, function, first 9x release, first NT release.
    FNR == NR {
      if ($0 ~ /^#/ || NF == 0) next
      known_dll[$1] = 1
      first9x[$1 "!" $2] = $3
      firstnt[$1 "!" $2] = $4
      next
    }
    function fault(text) { print "import-gate: " program ": " text; failed = 1 }
    function header(name, value) { fields[name] = value }
    /file format / { format = $NF }
    /^SectionAlignment/ { header("section", Hex($2)) }
    /^FileAlignment/ { header("file", Hex($2)) }
    /^MajorOSystemVersion/ { header("osmajor", $2) }
    /^MinorOSystemVersion/ { header("osminor", $2) }
    /^MajorSubsystemVersion/ { header("submajor", $2) }
    /^MinorSubsystemVersion/ { header("subminor", $2) }
    /^Subsystem/ { header("subsystem", $2 + 0) }
    /^\tDLL Name:/ {
      dll = toupper($3); sub(/\.DLL$/, "", dll)
      dlls[dll] = 1
      if (!(dll in known_dll)) fault("imports " dll ".DLL, which Windows 95 lacks")
      next
    }
    /^\t[0-9a-f]+\t/ && dll != "" {
      name = $NF
      if (name == "<none>") { fault("imports ordinal " $2 " of " dll ".DLL, which no reference list vouches for"); next }
      key = dll "!" name
      imports++
      if (!(key in first9x)) { fault("imports " dll ".DLL " name ", which is not in the reference list exports.txt"); next }
      lacking = Lacking(first9x[key], firstnt[key])
      if (lacking != "") {
        split(lacking, systems, ", ")
        fault("imports " dll ".DLL " name ", which Windows " systems[1] " lacks (lacking it: " lacking ")")
      }
      next
    }
    /^$/ { dll = "" }
    # The target systems that lack a function, oldest first by release.
    function Lacking(nine, nt,    out) {
      out = ""
      if (nine != "95") out = Add(out, "95")
      if (nt != "NT4") out = Add(out, "NT 4.0")
      if (nine != "95" && nine != "98") out = Add(out, "98")
      if (nt != "NT4" && nt != "2000") out = Add(out, "2000")
      if (nine == "-") out = Add(out, "Me")
      if (nt != "NT4" && nt != "2000" && nt != "XP") out = Add(out, "XP")
      return out
    }
    function Hex(text,    i, value) {
      value = 0
      for (i = 1; i <= length(text); i++) value = value * 16 + index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
      return value
    }
    function Add(list, name) { return list == "" ? name : list ", " name }
    END {
      if (format != "pei-i386") fault("not an i386 PE program (" format ")")
      if (fields["subsystem"] != 2) fault("not a GUI-subsystem program")
      if (fields["submajor"] != 4 || fields["subminor"] != 0)
        fault("subsystem version " fields["submajor"] "." fields["subminor"] ", not 4.0")
      if (fields["osmajor"] != 4 || fields["osminor"] != 0)
        fault("OS version " fields["osmajor"] "." fields["osminor"] ", not 4.0")
      if (fields["section"] != 4096) fault("section alignment " fields["section"] ", not 4096")
      if (fields["file"] < 512) fault("file alignment " fields["file"] ", under 512")
      if (imports == 0) fault("no imports found")
      if (!failed) {
        list = ""; for (d in dlls) list = list " " d ".DLL"
        print program ": loads on Windows 95, 98, Me, NT 4.0, 2000 and XP (" imports " imports from" list ")"
      }
      exit failed
    }
  ' "$here/exports.txt" - <<<"$dump" || status=1
done
exit $status
