#!/usr/bin/env bash
# Builds everything (native and Windows) and runs every test: native unit
# tests, Windows tests under Wine, and a short run of each fuzz target.
# Installs what is missing first. Usage: scripts/test.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# How long each stage took, printed at the end.
stages=()
stage_done() { stages+=(" $1 $((SECONDS - stage_start)) s"); stage_start=$SECONDS; }
stage_start=$SECONDS

scripts/build.sh
stage_done build

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
status=0
ctest --test-dir build/native --output-on-failure -j2 | tee "$logs/native.txt" || status=1
stage_done native
source scripts/wine-env.sh
scripts/wine-prefix.sh >/dev/null
# One X server for all Windows tests; every test program gets its own prefix.
# Where only 64-bit programs run, the tests run from build/win64 and the
# import gate, which reads the 32-bit programs that ship, from build/win32.
xvfb-run -a ctest --test-dir "build/$SKAL_WINE_ARCH" --output-on-failure -j2 | tee "$logs/windows.txt" || status=1
if [ "$SKAL_WINE_ARCH" = win64 ]; then
  ctest --test-dir build/win32 -L no-wine --output-on-failure | tee "$logs/gate.txt" || status=1
fi
stage_done windows
fuzz_failed=0
scripts/run-fuzzers.sh "${SKAL_FUZZ_SECONDS:-20}" || fuzz_failed=1
stage_done fuzz

# One closing line over all test runs.
count() { sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$1"; }
read -r nf nt < <(count "$logs/native.txt") || { nf=1; nt=1; status=1; }
read -r wf wt < <(count "$logs/windows.txt") || { wf=1; wt=1; status=1; }
gf=0 gt=0
[ ! -e "$logs/gate.txt" ] || read -r gf gt < <(count "$logs/gate.txt") || { gf=1; gt=1; status=1; }
# A fuzz run that fails (a finding, or targets that do not build) counts once.
failed=$((nf + wf + gf + fuzz_failed))
(IFS=,; echo "time:${stages[*]}")
echo "tests: $((nt + wt + gt - nf - wf - gf)) passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
