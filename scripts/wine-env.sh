# Sourced by the scripts that run Windows programs: picks the Wine this
# machine can run and the build that goes with it.
#   SKAL_WINE_ARCH=win32  32-bit prefix, build/win32: the shipped programs as
#                         they ship (machines that run 32-bit x86 programs)
#   SKAL_WINE_ARCH=win64  64-bit prefix, build/win64: the same sources built
#                         for x86_64, for kernels without 32-bit user mode
# Set SKAL_WINE_ARCH to choose; otherwise scripts/runs-x86-32.sh decides.
skal_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ -z "${SKAL_WINE_ARCH:-}" ]; then
  if "$skal_scripts/runs-x86-32.sh" 2>/dev/null; then SKAL_WINE_ARCH=win32; else SKAL_WINE_ARCH=win64; fi
fi
export SKAL_WINE_ARCH
if [ "$SKAL_WINE_ARCH" = win64 ]; then
  case ":$PATH:" in *":$skal_scripts/wine64-bin:"*) ;; *) export PATH="$skal_scripts/wine64-bin:$PATH" ;; esac
fi
