#!/usr/bin/env bash
# Mutation testing of the portable code (the files of src/ without _win, and
# tools/pkgtool/) against the native tests: how many small faults the tests
# catch. Run by hand, not in CI: each mutant is a build and a test run, some
# seconds each, hours for the whole tree.
#   scripts/mutation.sh [--sample N] [FILE...]
#       FILE: relative to the repository; default: every portable .cpp file
#       --sample N: build only every Nth mutant (an even sample of the tree)
# Works under build/mutation/: a coverage build (which lines the tests
# execute), a scratch copy of the tree where mutants are written, its build,
# and results.tsv, one row per mutant (file, line, operator, outcome, mutant).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=$root/build/mutation
coverage=$out/coverage tree=$out/tree build=$out/build

sample=1
if [ "${1:-}" = --sample ]; then
  sample=$2
  shift 2
fi
files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  mapfile -t files < <(git ls-files 'src/*.cpp' 'tools/pkgtool/*.cpp' | grep -v '_win\.cpp$')
fi

cmake -S . -B "$coverage" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKAL_UNITY_BUILD=OFF -DCMAKE_CXX_FLAGS=--coverage \
      -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$coverage" --target native_tests pkgtool >/dev/null
find "$coverage" -name '*.gcda' -delete
"$coverage/bin/native_tests" --gtest_brief=1 >/dev/null

# The scratch copy: the files git knows, as they are in the work tree.
rm -rf "$tree" && mkdir -p "$tree"
git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$tree"
cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKAL_UNITY_BUILD=OFF -DCMAKE_CXX_FLAGS=-O1 >/dev/null

python3 scripts/mutants.py --repo "$tree" --source-repo "$root" --coverage "$coverage" --build "$build" \
        --results "$out/results.tsv" --sample "$sample" "${files[@]}"
