#!/usr/bin/env bash
# Checks the application manifest of programs that run on Windows Vista and
# later: exactly one manifest resource (type 24), well-formed XML, the
# execution level asInvoker, and no element that declares one namespace
# twice (Windows XP SP2 and Server 2003 before SP1 can restart the machine on
# such a manifest).
#   tools/import-gate/check-manifest.sh PROGRAM...
# Prints one line per fault and exits 1, or one line per program and exits 0.
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 PROGRAM..." >&2; exit 2; }
status=0
for program in "$@"; do
  name=$(basename "$program")
  fault() { echo "check-manifest: $name: $*"; status=1; }
  count=$(wrestool -l -t 24 "$program" 2>/dev/null | grep -c . || true)
  if [ "$count" -ne 1 ]; then fault "carries $count manifests, not one"; continue; fi
  manifest=$(wrestool -x --raw -t 24 "$program")
  if ! xmllint --noout - <<<"$manifest" 2>/dev/null; then fault "its manifest is not well-formed XML"; continue; fi
  levels=$(xmllint --xpath "//*[local-name()='requestedExecutionLevel']/@level" - <<<"$manifest" 2>/dev/null || true)
  [ "$levels" = ' level="asInvoker"' ] || fault "its execution level is not asInvoker alone (${levels:-none})"
  # Each start tag's namespace declarations, one tag a line: a URI twice on one tag is the fault.
  twice=$(xmllint --noblanks --format - <<<"$manifest" | grep -o '<[^!?/][^>]*>' |
          awk '{ delete seen; rest = $0
                 while (match(rest, /xmlns(:[A-Za-z0-9_.-]+)?="[^"]*"/)) {
                   decl = substr(rest, RSTART, RLENGTH); uri = decl; sub(/^[^"]*"/, "", uri); sub(/"$/, "", uri)
                   if (uri in seen) { print $1 " declares " uri " twice"; break }
                   seen[uri] = 1; rest = substr(rest, RSTART + RLENGTH) } }')
  [ -z "$twice" ] || fault "$twice"
  [ "$status" -ne 0 ] || echo "$name: one well-formed asInvoker manifest"
done
exit $status
