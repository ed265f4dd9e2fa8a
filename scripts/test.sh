#!/usr/bin/env bash
# Builds everything (native and 32-bit Windows) and runs every test: native
# unit tests, Windows tests under Wine, and a short run of each fuzz target.
# Installs what is missing first. Usage: scripts/test.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/build.sh

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
status=0
skipped=0
ctest --test-dir build/native --output-on-failure -j2 | tee "$logs/native.txt" || status=1
if scripts/runs-x86-32.sh; then
  scripts/wine-prefix.sh >/dev/null
  # One X server for all Windows tests; every test program gets its own prefix.
  xvfb-run -a ctest --test-dir build/win32 --output-on-failure -j2 | tee "$logs/win32.txt" || status=1
else
  # Wine's 32-bit loader cannot start here, so no Windows program can run:
  # only the Windows tests that need no Wine run, the others count as skipped.
  echo "test: SKIPPED the Windows tests that run programs under Wine: this machine cannot start 32-bit x86 programs"
  ctest --test-dir build/win32 -L no-wine --output-on-failure | tee "$logs/win32.txt" || status=1
  all=$(ctest --test-dir build/win32 -N | sed -n 's/^Total Tests: //p')
  ran=$(ctest --test-dir build/win32 -N -L no-wine | sed -n 's/^Total Tests: //p')
  skipped=$((all - ran))
fi
fuzz_failed=0
scripts/run-fuzzers.sh "${SKAL_FUZZ_SECONDS:-20}" || fuzz_failed=1

# One closing line over both test runs.
count() { sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$1"; }
read -r nf nt < <(count "$logs/native.txt") || { nf=1; nt=1; status=1; }
read -r wf wt < <(count "$logs/win32.txt") || { wf=1; wt=1; status=1; }
# A fuzz run that fails (a finding, or targets that do not build) counts once.
failed=$((nf + wf + fuzz_failed))
echo "tests: $((nt + wt - nf - wf)) passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ] || status=1
exit $status
