#!/usr/bin/env bash
# Remakes the files of the example package examples/skal2003/files/ZMTUPD/,
# which are committed: ZMT32.EXE, a program with version resource 4.0.0.12
# (mingw-w64 i686), ZMEngine.DAT with product header version 4.0.3.1 and
# ZMT00012.DAT with virus-database header version 2003.11.20.12, the fields
# where the runner's version readers find them. Usage: examples/sources/make-skal2003-files.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$here/../skal2003/files/ZMTUPD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

i686-w64-mingw32-windres "$here/zmt32.rc" -O coff -o "$work/zmt32.res"
i686-w64-mingw32-gcc -Os -s -nostdlib -e _Start@0 -Wl,--subsystem,windows -Wl,--no-insert-timestamp \
  "$here/zmt32.c" "$work/zmt32.res" -lkernel32 -o "$out/ZMT32.EXE"

# FILE SIZE TEXT: TEXT at the start, zeros up to SIZE bytes.
blank() { { printf '%s' "$3"; head -c $(($2 - ${#3})) /dev/zero; } >"$1"; }
# FILE OFFSET BYTES: writes the bytes (printf escapes) at OFFSET.
put() { printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }

# Product header: high half (4 << 16 | 0) at 60, low half (3 << 16 | 1) at 64.
blank "$out/ZMEngine.DAT" 256 $'ZMEngine example scanning engine\r\n\x1a'
put "$out/ZMEngine.DAT" 60 '\x00\x00\x04\x00\x01\x00\x03\x00'
# Database header: 16-bit d = 12 at 78; at 84 a << 16 | b << 8 | c with
# a = 2003, b = 11, c = 20.
blank "$out/ZMT00012.DAT" 512 $'ZMT00012 example virus database\r\n\x1a'
put "$out/ZMT00012.DAT" 78 '\x0c\x00'
put "$out/ZMT00012.DAT" 84 '\x14\x0b\xd3\x07'
