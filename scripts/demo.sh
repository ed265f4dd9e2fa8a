#!/usr/bin/env bash
# The demo: builds everything, builds the example package with pkgtool, lays
# out a simulated 2003-edition installation in a fresh Wine prefix, runs the
# runner from the package folder and shows what it shows: each window's text
# goes to the terminal, screenshots to build/demo/. Uses the current display
# when there is one, else a private Xvfb. Usage: scripts/demo.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/build.sh >/dev/null
source scripts/wine-env.sh
demo=build/demo
rm -rf "$demo" && mkdir -p "$demo"
build/native/bin/pkgtool build --seed 1 examples/skal2003 "$demo/package"
cp "build/$SKAL_WINE_ARCH/bin/SkalUpd.exe" "$demo/package/"
echo "demo: package folder $demo/package:"
(cd "$demo/package" && find . -type f | sort)

scripts/wine-run.sh --shell scripts/demo-in-prefix.sh "$root/$demo"
