#!/usr/bin/env bash
# The Wine half of run-benchmarks.sh "whole", run by scripts/wine-run.sh
# --shell in a fresh prefix: extraction against CopyFileA; then, in turns and
# for several rounds, the baseline (extraction plus a flushed copy of the
# same bytes) and SkalUpd.exe /S on the big and the small package, each over
# a freshly laid out installation whose files all differ from the
# package's, and the big package over an installation where only ten files
# differ; then the peak working sets.
#
#   whole-run-in-prefix.sh BIN DATA [ROUNDS]
set -euo pipefail
bin=$1
data=$2
rounds=${3:-5}
winpath() { printf 'Z:%s' "${1//\//\\}"; }
product=$WINEPREFIX/drive_c/Skal
wine "$bin/skal_layout.exe" antivirus 4 --folder 'C:\Skal' >/dev/null

# SIZE [NEEDED]: one run of the runner over a fresh installation in which
# every file differs from the package's (NEEDED "ten": every hundredth);
# prints its line.
run_runner() {
  local size=$1 needed=${2:-all} f
  rm -f "$product"/F*.BIN
  if [ "$needed" = all ]; then
    cp "$data/$size/old/"* "$product/"
  else
    cp "$data/$size/src/files/ZMTUPD/"* "$product/"
    for f in "$data/$size/old/"F??00.BIN; do cp "$f" "$product/"; done
  fi
  rm -rf "$data/$size/package/ZMTUPD/"F*.BIN
  # The installation is on the disk before the run, as a real one is: its
  # freshly copied files would otherwise be written out at the runner's
  # first flush and counted against it.
  sync
  local result
  result=$(cd "$data/$size/package" && wine "$bin/process_peak.exe" "$(winpath "$data/$size/package/SkalUpd.exe")" /S | tr -d '\r')
  for f in "$data/$size/src/files/ZMTUPD/"*; do
    cmp -s "$f" "$product/$(basename "$f")" || { echo "whole run: $(basename "$f") was not updated" >&2; exit 1; }
  done
  echo "$result"
}

# SIZE: one extraction and one flushed copy of the package's files; prints
# their sum in seconds.
run_baseline() {
  sync
  wine "$bin/extract_bench.exe" --once "$(winpath "$data/$1/package/ZMTUPD/ZMTUPD.DAT")" \
    "$(winpath "$data/$1/src/files/ZMTUPD")" 'C:\extract-bench' | tr -d '\r' |
    awk '/^seconds:/ { print $3 + $5 }'
}

echo "== Extraction against CopyFileA, 1,000 files (ratio = copy time / extraction time, target >= 0.8)"
wine "$bin/extract_bench.exe" "$(winpath "$data/big/package/ZMTUPD/ZMTUPD.DAT")" \
  "$(winpath "$data/big/src/files/ZMTUPD")" 'C:\extract-bench' | tr -d '\r'

# Each round takes every contender once, so that all see the same changes
# of machine load; the best of each counts.
declare -A best
keep_best() { # NAME SECONDS
  if [ -z "${best[$1]:-}" ] || awk -v a="$2" -v b="${best[$1]}" 'BEGIN { exit !(a < b) }'; then best[$1]=$2; fi
}
seconds() { awk '{ print $2 }' <<<"$1"; }
declare -A runs
echo "== Whole run, SkalUpd.exe /S against extraction + flushed copy, $rounds rounds in turns"
for ((round = 1; round <= rounds; round++)); do
  line="round $round:"
  for size in big small; do
    base=$(run_baseline $size)
    run=$(run_runner $size)
    runs[$size]+="$run"$'\n'
    keep_best "base-$size" "$base"
    keep_best "run-$size" "$(seconds "$run")"
    line+=" $size: baseline $base s, runner $(seconds "$run") s;"
  done
  ten=$(run_runner big ten)
  keep_best run-ten "$(seconds "$ten")"
  echo "$line 10 of 1,000 needed: runner $(seconds "$ten") s"
done
awk -v rb="${best[run-big]}" -v bb="${best[base-big]}" -v rs="${best[run-small]}" -v bs="${best[base-small]}" \
  -v rt="${best[run-ten]}" 'BEGIN {
  printf "1,000 files / 200 MiB: runner %.3f s, baseline %.3f s, ratio %.2f (target <= 1.3)\n", rb, bb, rb / bb
  printf "1,000 files / 2 MiB:   runner %.3f s, baseline %.3f s, ratio %.2f (target <= 1.4)\n", rs, bs, rs / bs
  printf "200 MiB package, 10 of 1,000 files needed: %.3f s, against all 1,000 needed %.3f s (%.2f)\n", rt, rb, rt / rb
}'

echo "== Peak working set (target: independent of file size, <= 16 MiB over the baseline)"
peak_of_best() { printf '%s' "${runs[$1]}" | sort -g -k2 | head -n1 | awk '{ print $4 }'; }
idle=$(wine "$bin/process_peak.exe" "$(winpath "$bin/process_peak.exe")" --idle | tr -d '\r')
# The runner alone, stopping at once in a folder without a package: what
# Wine and the runner's libraries take before any file is touched.
mkdir -p "$WINEPREFIX/drive_c/empty"
cp "$bin/SkalUpd.exe" "$WINEPREFIX/drive_c/empty/"
bare=$(cd "$WINEPREFIX/drive_c/empty" && wine "$bin/process_peak.exe" 'C:\empty\SkalUpd.exe' /S | tr -d '\r')
gui=$(wine "$bin/process_peak.exe" "$(winpath "$bin/trivial_gui.exe")" | tr -d '\r')
echo "runner stopping at once (no package): $bare"
peak() { awk '{ print $4 }' <<<"$1"; }
awk -v big="$(peak_of_best big)" -v small="$(peak_of_best small)" -v idle="$(peak "$idle")" -v bare="$(peak "$bare")" \
  -v gui="$(peak "$gui")" 'BEGIN {
  mib = 1048576
  printf "trivial console process %.1f MiB; trivial process with the runner'"'"'s libraries %.1f MiB\n", idle / mib, gui / mib
  printf "runner stopping at once (no package) %.1f MiB\n", bare / mib
  printf "runner, 1,000 files of 2 MiB %.1f MiB; of 200 MiB %.1f MiB\n", small / mib, big / mib
  printf "200 MiB run over: the console process %.1f MiB, the process with the same libraries %.1f MiB, the 2 MiB run %.1f MiB\n",
    (big - idle) / mib, (big - gui) / mib, (big - small) / mib
}'
