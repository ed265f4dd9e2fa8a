#!/usr/bin/env bash
# The demo: builds everything, packs the example catalogue with pkgtool, lays
# out a package folder and an installation in a fresh Wine prefix, runs the
# runner there and shows what it shows: each window's text goes to the
# terminal and a screenshot to build/demo/. Uses the current display when
# there is one, else a private Xvfb. Usage: scripts/demo.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/build.sh >/dev/null
demo=build/demo
rm -rf "$demo" && mkdir -p "$demo/package"
cp build/win32/bin/SkalUpd.exe "$demo/package/"
build/native/bin/pkgtool pack examples/demo/index.txt "$demo/package/index.dat"
echo "demo: package folder $demo/package:"
ls -l "$demo/package"

scripts/wine-run.sh --shell scripts/demo-in-prefix.sh "$root/$demo"
