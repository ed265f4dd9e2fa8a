#!/usr/bin/env bash
# Installs what is missing, then configures and builds: build/native (g++)
# and build/win32 (mingw-w64 i686); where this machine runs no 32-bit x86
# programs (scripts/wine-env.sh), build/win32 only for the shipped programs
# and the import gate, and build/win64, the Windows tests built for x86_64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
source scripts/wine-env.sh
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native
configure_windows() {
  cmake -S . -B "build/$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$2.cmake" >/dev/null
}
configure_windows win32 i686
if [ "$SKAL_WINE_ARCH" = win32 ]; then
  cmake --build build/win32
else
  cmake --build build/win32 --target shipped_programs newer_imports_probe
  configure_windows win64 x86_64
  cmake --build build/win64
fi
