#!/usr/bin/env bash
# The Wine half of run-benchmarks.sh "whole", run by scripts/wine-run.sh
# --shell in a fresh prefix: extraction against CopyFileA, then SkalUpd.exe /S
# on the big and the small package, each over a freshly laid out
# installation whose files all differ from the package's.
#
#   whole-run-in-prefix.sh BIN DATA
set -euo pipefail
bin=$1
data=$2
winpath() { printf 'Z:%s' "${1//\//\\}"; }
product=$WINEPREFIX/drive_c/Skal
wine "$bin/skal_layout.exe" antivirus 4 --folder 'C:\Skal' >/dev/null

# SIZE: one run of the runner over a fresh installation; prints its line.
run_runner() {
  local size=$1
  rm -f "$product"/F*.BIN
  cp "$data/$size/old/"* "$product/"
  rm -rf "$data/$size/package/ZMTUPD/"F*.BIN
  local result
  result=$(cd "$data/$size/package" && wine "$bin/process_peak.exe" "$(winpath "$data/$size/package/SkalUpd.exe")" /S | tr -d '\r')
  local f
  for f in "$data/$size/src/files/ZMTUPD/"*; do
    cmp -s "$f" "$product/$(basename "$f")" || { echo "whole run: $(basename "$f") was not updated" >&2; exit 1; }
  done
  echo "$result"
}

# The baseline and the runner in turns, three times each, so that both see
# the same changes of machine load; the best of each counts.
extract_sums=()
runs=()
for round in 1 2 3; do
  extract=$(wine "$bin/extract_bench.exe" "$(winpath "$data/big/package/ZMTUPD/ZMTUPD.DAT")" \
    "$(winpath "$data/big/src/files/ZMTUPD")" 'C:\extract-bench' | tr -d '\r')
  if [ $round = 1 ]; then
    echo "== Extraction against CopyFileA, 1,000 files (ratio = copy time / extraction time, target >= 0.8)"
    echo "$extract"
    echo "== Whole run, SkalUpd.exe /S, 1,000 files all needed (ratio = run time / (extraction + copy), target <= 1.5)"
  fi
  extract_sums+=("$(awk '/^seconds:/ { print $3 + $5 }' <<<"$extract")")
  runs+=("$(run_runner big)")
  echo "round $round: extraction + copy ${extract_sums[-1]} s, runner: ${runs[-1]}"
done
big=$(printf '%s\n' "${runs[@]}" | sort -g -k2 | head -n1)
best=$(awk '{ print $2 }' <<<"$big")
sum=$(printf '%s\n' "${extract_sums[@]}" | sort -g | head -n1)
awk -v run="$best" -v sum="$sum" 'BEGIN { printf "best run %.3f s, best extraction + copy %.3f s, ratio %.2f\n", run, sum, run / sum }'

echo "== Peak working set (target: independent of file size, <= 16 MiB over the baseline)"
small=$(run_runner small)
echo "1,000 files of 2 MiB together: $small"
idle=$(wine "$bin/process_peak.exe" "$(winpath "$bin/process_peak.exe")" --idle | tr -d '\r')
# The runner alone, stopping at once in a folder without a package: what
# Wine and the runner's libraries take before any file is touched.
mkdir -p "$WINEPREFIX/drive_c/empty"
cp "$bin/SkalUpd.exe" "$WINEPREFIX/drive_c/empty/"
bare=$(cd "$WINEPREFIX/drive_c/empty" && wine "$bin/process_peak.exe" 'C:\empty\SkalUpd.exe' /S | tr -d '\r')
gui=$(wine "$bin/process_peak.exe" "$(winpath "$bin/trivial_gui.exe")" | tr -d '\r')
peak() { awk '{ print $4 }' <<<"$1"; }
awk -v big="$(peak "$big")" -v small="$(peak "$small")" -v idle="$(peak "$idle")" -v bare="$(peak "$bare")" \
  -v gui="$(peak "$gui")" 'BEGIN {
  mib = 1048576
  printf "trivial console process %.1f MiB; trivial process with the runner'"'"'s libraries %.1f MiB\n", idle / mib, gui / mib
  printf "runner stopping at once (no package) %.1f MiB\n", bare / mib
  printf "runner, 1,000 files of 2 MiB %.1f MiB; of 200 MiB %.1f MiB\n", small / mib, big / mib
  printf "200 MiB run over: the console process %.1f MiB, the process with the same libraries %.1f MiB, the 2 MiB run %.1f MiB\n",
    (big - idle) / mib, (big - gui) / mib, (big - small) / mib
}'
