#!/usr/bin/env bash
# Exits 0 when this machine runs 32-bit x86 Linux programs natively, as Wine's
# 32-bit loader (and so every Windows test) needs; 1 otherwise, with the
# reason on stderr. A kernel with ia32 emulation off (ia32_emulation=off, or
# a hypervisor without 32-bit user mode) refuses them with "Exec format
# error"; one that hands them to a qemu-i386 binfmt handler runs them about a
# hundred times slower, too slow for the suite, and counts as not native.
set -u
loader=/usr/lib/wine/wine
for handler in /proc/sys/fs/binfmt_misc/*; do
  case ${handler##*/} in register | status) continue ;; esac
  if grep -q '^enabled' "$handler" 2>/dev/null && grep -q 'interpreter .*qemu-i386' "$handler"; then
    echo "runs-x86-32: 32-bit x86 programs run only under qemu emulation here ($handler)" >&2
    exit 1
  fi
done
if ! timeout 60 "$loader" --version >/dev/null 2>&1; then
  echo "runs-x86-32: this machine does not run 32-bit x86 programs: $loader does not start (a kernel with ia32 emulation off)" >&2
  exit 1
fi
exit 0
