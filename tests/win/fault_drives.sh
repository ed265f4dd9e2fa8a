#!/usr/bin/env bash
# Runs the fault-drive tests (PROGRAM with a filter that picks them) under
# Wine with drives of their own, mounted here and mapped into the prefix:
# F: a 16 MiB tmpfs (a full disk), W: a tmpfs, R: the same through a
# read-only bind mount. Mounting needs root (as CI runs); when the kernel
# refuses a mount the run is skipped with the reason (exit code 77). The run
# lives in a mount namespace of its own, so the mounts go with it even when
# it is killed outright; they are also unmounted on the way out.
#
#   fault_drives.sh PROGRAM [GTEST ARGS...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ "${1:-}" != --in-prefix ]; then
  [ $# -ge 1 ] || { echo "usage: $0 PROGRAM [ARGS...]" >&2; exit 2; }
  if ! error=$(unshare --mount --propagation private true 2>&1); then
    echo "fault_drives: SKIPPED, the kernel refused a mount namespace (unshare --mount): $error" >&2
    echo "fault_drives: the full-disk and read-only-location tests did not run" >&2
    exit 77
  fi
  exec unshare --mount --propagation private "$here/../../scripts/wine-run.sh" --shell "$0" --in-prefix "$@"
fi
shift
program=$1
shift

base=$(mktemp -d "${TMPDIR:-/tmp}/skal-drives.XXXXXX")
mounted=()
cleanup() {
  # Wine's processes may hold files on the drives: end them first.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" ||
      echo "fault_drives: could not unmount ${mounted[i]}" >&2
  done
  rm -rf "$base"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mount_or_skip() { # MOUNTPOINT MOUNT-ARGS...
  local point=$1 error
  shift
  mkdir -p "$point"
  if ! error=$(mount "$@" "$point" 2>&1); then
    echo "fault_drives: SKIPPED, the kernel refused 'mount $* $point': $error" >&2
    echo "fault_drives: the full-disk and read-only-location tests did not run" >&2
    exit 77
  fi
  mounted+=("$point")
}
mount_or_skip "$base/full" -t tmpfs -o size=16m,mode=0777 skal-full
mount_or_skip "$base/data" -t tmpfs -o size=64m,mode=0777 skal-data
mount_or_skip "$base/ro" --bind "$base/data"
mount_or_skip "$base/ro" -o remount,bind,ro
mounted=("${mounted[@]:0:3}") # the remount is no mount of its own

ln -s "$base/full" "$WINEPREFIX/dosdevices/f:"
ln -s "$base/data" "$WINEPREFIX/dosdevices/w:"
ln -s "$base/ro" "$WINEPREFIX/dosdevices/r:"
status=0
SKAL_FULL_DRIVE=F: SKAL_DATA_DRIVE=W: SKAL_READONLY_DRIVE=R: wine "$program" "$@" || status=$?
exit $status
