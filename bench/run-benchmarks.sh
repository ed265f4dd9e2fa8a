#!/usr/bin/env bash
# Runs every benchmark and prints each comparison as a ratio against its
# target. Needs a finished scripts/build.sh; builds the benchmark programs
# first. Not part of scripts/test.sh:
# timings belong here, not in tests.
#
#   bench/run-benchmarks.sh [codec|whole|all]      (default: all)
#
# codec: CRC-32 against zlib's crc32, Depack against zlib's inflate, natively
#        and in the Windows build under Wine.
# whole: under Wine, on 1,000 files of 200 MiB and 1,000 files of 2 MiB (made
#        in $SKAL_BENCH_DIR, default /tmp/skal-bench, removed afterwards):
#        extraction against CopyFileA; then, in turns for $SKAL_BENCH_ROUNDS
#        rounds (default 5), best of each: the real SkalUpd.exe /S updating a
#        simulated installation whose every file differs, against extraction
#        plus a flushed copy of the same bytes, for both sizes, and the same
#        runner on the 200 MiB package where only 10 of the 1,000 files
#        differ; the runner's peak working set against Wine's baseline and
#        across the two sizes.
# The Windows programs are those of build/win32, or of build/win64 where
# scripts/wine-env.sh picks 64-bit Wine (SKAL_WINE_ARCH=win64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
native=$root/build/native/bin
win=$root/build/$SKAL_WINE_ARCH/bin
what=${1:-all}
cmake --build "$root/build/native" --target benchmarks >/dev/null
cmake --build "$root/build/$SKAL_WINE_ARCH" --target benchmarks >/dev/null

codec() {
  echo "== CRC-32 and decoding, native (Google Benchmark, CPU time; ratio = zlib time / our time, target >= 1.0)"
  local csv
  csv=$("$native/codec_bench" --benchmark_format=csv 2>/dev/null)
  # name, CPU time (ms), bytes per second, label
  grep -v '^name' <<<"$csv" | cut -d, -f1,4,6,8
  awk -F, '
    /^"/ { gsub(/"/, "", $1); time[$1] = $4 }
    END {
      printf "CRC-32 64 MiB:            ratio %.2f\n", time["Crc32Zlib"] / time["Crc32Ours"]
      printf "decode binary 8 MiB:      ratio %.2f\n", time["InflateZlib/0"] / time["DepackOurs/0"]
      printf "decode catalogue:         ratio %.2f\n", time["InflateZlib/1"] / time["DepackOurs/1"]
    }' <<<"$csv"
  echo "== CRC-32 and decoding, $SKAL_WINE_ARCH build under Wine (ratio = zlib time / our time, target >= 1.0)"
  "$root/scripts/wine-run.sh" "$win/codec_bench.exe"
}

whole() {
  local data=${SKAL_BENCH_DIR:-/tmp/skal-bench}
  rm -rf "$data"
  mkdir -p "$data"
  trap 'rm -rf "$data"' RETURN
  echo "== Making the files in $data"
  make_package "$data/big" 200
  make_package "$data/small" 2
  cp "$win/SkalUpd.exe" "$data/big/package/"
  cp "$win/SkalUpd.exe" "$data/small/package/"
  "$root/scripts/wine-run.sh" --shell "$root/bench/whole-run-in-prefix.sh" "$win" "$data" "${SKAL_BENCH_ROUNDS:-5}"
}

# DIR TOTAL_MIB: DIR/src (catalogue and 1,000 new files), DIR/old (the
# installed files, other bytes of the same sizes), DIR/package (pkgtool build).
make_package() {
  local dir=$1 mib=$2 i
  mkdir -p "$dir/src/files/ZMTUPD" "$dir/old"
  "$native/bench_files" "$dir/src/files/ZMTUPD" 1000 "$mib" 1
  "$native/bench_files" "$dir/old" 1000 "$mib" 2 >/dev/null
  {
    printf '[COMMENT]\r\nPacketType=General_DB\r\nPathName=ZMTUPD\r\nNewUpdateSelfFirstFlag=0\r\n\r\n'
    printf '[FileType]\r\nTypeName0=Program\r\n\r\n'
    for ((i = 0; i < 1000; i++)); do
      printf '[F%04d]\r\nUpdateFileFlag=TRUE\r\nFileName=F%04d.BIN\r\nVersion=1.0.0.1\r\nCheckVersionMethod=3\r\n' $i $i
      printf 'Reboot=FALSE\r\nRemotePath=ZMTUPD\r\nLocalPath=%%PROGRAMDIR%%\r\nFileType=Program\r\n\r\n'
    done
  } >"$dir/src/catalog.ini"
  "$native/pkgtool" build --seed 1 "$dir/src" "$dir/package" >/dev/null
}

case $what in
  codec) codec ;;
  whole) whole ;;
  all) codec; whole ;;
  *) echo "usage: $0 [codec|whole|all]" >&2; exit 2 ;;
esac
