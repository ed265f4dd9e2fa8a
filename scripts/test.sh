#!/usr/bin/env bash
# Builds everything (native and 32-bit Windows) and runs every test: native
# unit tests, Windows tests under Wine, and a short run of each fuzz target.
# Installs what is missing first. Usage: scripts/test.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/build.sh
scripts/wine-prefix.sh >/dev/null

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
status=0
ctest --test-dir build/native --output-on-failure -j2 | tee "$logs/native.txt" || status=1
# One X server for all Windows tests; every test program gets its own prefix.
xvfb-run -a ctest --test-dir build/win32 --output-on-failure -j2 | tee "$logs/win32.txt" || status=1
scripts/run-fuzzers.sh "${SKAL_FUZZ_SECONDS:-20}" || status=1

# One closing line over both test runs.
count() { sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$1"; }
read -r nf nt < <(count "$logs/native.txt") || { nf=1; nt=1; status=1; }
read -r wf wt < <(count "$logs/win32.txt") || { wf=1; wt=1; status=1; }
failed=$((nf + wf))
echo "tests: $((nt + wt - failed)) passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
