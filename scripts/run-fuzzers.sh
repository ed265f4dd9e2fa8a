#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) and runs every
# fuzz/*_fuzz.cpp target for SECONDS each, starting from its seeds in
# fuzz/corpus/<target>/. Exits non-zero when any target finds a crash.
#   scripts/run-fuzzers.sh SECONDS
# Environment: FUZZ_BUILD_DIR  build folder (default <repo>/build/fuzz); the
#   corpus grown by earlier runs and any crash inputs are kept there.
set -euo pipefail

if [ $# -ne 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi
seconds=$1
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$repo/build/fuzz}

cmake -S "$repo/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"

# One target per core at a time; each reports when it ends.
run_target() {
  local name=$1 corpus=$build/corpus/$1 artifacts=$build/artifacts/$1 log=$build/$1.log
  mkdir -p "$corpus" "$artifacts"
  local seeds=()
  [ -d "$repo/fuzz/corpus/$name" ] && seeds=("$repo/fuzz/corpus/$name")
  if "$build/$name" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$artifacts/" \
      "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    echo "run-fuzzers: $name ok ($(grep -o 'Done [0-9]* runs' "$log" | tail -1 || true))"
  else
    echo "run-fuzzers: $name FAILED; crash inputs in $artifacts, log $log" >&2
    tail -n 40 "$log" >&2
    return 1
  fi
}
export -f run_target
export build repo seconds
status=0
for source in "$repo"/fuzz/*_fuzz.cpp; do basename "$source" .cpp; done |
  xargs -P "$(nproc)" -I{} bash -c 'run_target {}' || status=1
exit $status
