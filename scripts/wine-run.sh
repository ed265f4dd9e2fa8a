#!/usr/bin/env bash
# Runs one Windows program under Wine in a private, throw-away prefix (32-bit,
# or 64-bit where scripts/wine-env.sh says so).
# ctest uses it as the emulator of the Windows build; end-to-end scripts too.
#
#   scripts/wine-run.sh PROGRAM [ARGS...]     exits with PROGRAM's exit code
#   scripts/wine-run.sh --shell COMMAND [ARGS...]
#       runs the Linux COMMAND instead, with WINEPREFIX, DISPLAY and the rest
#       exported, so that a script can run several programs (say the runner
#       and wauto) with `wine` in one prefix; exits with COMMAND's exit code.
#       The prefix's server runs until the end of the run; Wine writes the
#       registry files (*.reg) when it ends: run `wineserver -k` and then
#       `wineserver -w` before reading them.
#
# Each run copies the template prefix (made once by wine-prefix.sh), runs with
# code page 936 (LC_ALL=zh_CN.UTF-8) and WINEDEBUG=-all, on $DISPLAY or else
# on a private Xvfb, then kills what the program left running and deletes the
# prefix. Runs at the same time do not share a prefix, wineserver or display.
# Environment:
#   SKAL_WINVER=win98|winme|win2k|winxp  Windows version the program sees
#                                        (default: the prefix's, Windows 7)
#   SKAL_KEEP_PREFIX=1         keep the prefix (registry written to disk) and
#                              print its path on stderr
#   SKAL_WINE_PREFIX_OUT=FILE  write the prefix path into FILE
#   SKAL_WINE_TEMPLATE=DIR     template prefix (default: wine-prefix.sh's)
#   SKAL_WINE_ARCH=win32|win64 see wine-env.sh
set -euo pipefail

launcher=(wine)
if [ "${1:-}" = --shell ]; then
  launcher=()
  shift
fi
if [ $# -lt 1 ]; then
  echo "usage: $0 [--shell] PROGRAM [ARGS...]" >&2
  exit 2
fi
case ${SKAL_WINVER:-} in
  "" | win98 | winme | win2k | winxp) ;;
  *) echo "wine-run: SKAL_WINVER must be win98, winme, win2k or winxp" >&2; exit 2 ;;
esac

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
template=$("$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh")
run_dir=$(mktemp -d "$(dirname "$template")/run.XXXXXX")
prefix=$run_dir/prefix
xvfb_pid=
launched_pid=

# The files listed in the template's .skal-shared (Wine's builtin DLL, EXE
# and NLS placeholders, which Wine rewrites only when it updates a prefix, as
# a copy of a current template never does) are hard-linked rather than
# copied: about 0.15 s instead of 1 s. The risk: a program that writes into
# one of them in place (open for writing rather than delete and recreate)
# changes the template and every prefix made from it; check_template_untouched
# notices that afterwards.
copy_template() {
  cp "$template/.skal-shared" "$run_dir/shared"
  cp -a -l "$template/." "$prefix/"
  # Everything else gets a copy of its own in place of the link.
  (cd "$template" && export LC_ALL=C &&
    comm -23 <(find . -type f -printf '%P\n' | sort) <(cut -d' ' -f3- "$run_dir/shared" | sort) |
    xargs -d '\n' cp -p --parents --remove-destination -t "$prefix")
  # Any wine command pointed at the template records a socket folder name in
  # it; a copy must make its own (see remove_socket_folder).
  rm -f "$prefix/wineserver"
}

# Sets an HKCU string value by appending its key to user.reg, which Wine
# reads when it starts. Usage: set_user_value 'Software\Wine' NAME DATA
set_user_value() {
  printf '\n[%s] %s\n"%s"="%s"\n' "${1//\\/\\\\}" "$(date +%s)" "$2" "$3" >>"$prefix/user.reg"
}

# Xvfb picks a free display number itself (-displayfd) and reports it once it
# accepts clients; xvfb-run -a can hand the same number to two parallel jobs.
start_display() {
  [ -z "${DISPLAY:-}" ] || return 0
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$run_dir/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    if [ -s "$run_dir/display" ]; then
      export DISPLAY=:$(head -n1 "$run_dir/display")
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "wine-run: Xvfb did not start" >&2
  exit 1
}

# A run must never have written into a file it shares with the template:
# every file still linked must keep the size and time listed when copied.
check_template_untouched() {
  local changed
  changed=$(cd "$prefix" && export LC_ALL=C &&
    find drive_c/windows/system32 -type f -links +1 -printf '%s %T@ %p\n' | sort |
    comm -23 - "$run_dir/shared" | cut -d' ' -f3- | head -n3) || true
  if [ -n "$changed" ]; then
    echo "wine-run: the program wrote into files shared with the template:" >&2
    echo "$changed" >&2
    echo "wine-run: the template is discarded and will be made again" >&2
    rm -f "$template/.skal-ready"
  fi
}

kill_orphans() {
  local environ pids=()
  for environ in $(grep -lzx "WINEPREFIX=$prefix" /proc/[0-9]*/environ 2>/dev/null); do
    environ=${environ#/proc/}
    pids+=("${environ%/environ}")
  done
  [ ${#pids[@]} -eq 0 ] || kill -KILL "${pids[@]}" 2>/dev/null || true
}

# The Debian wineserver keeps the name of its socket folder under $TMPDIR
# (made with mkdtemp, wine-XXXXXX) in the prefix.
remove_socket_folder() {
  local name
  name=$(cat "$prefix/wineserver" 2>/dev/null || true)
  if [[ $name =~ ^wine-[A-Za-z0-9]{6}$ ]]; then
    rm -rf "${TMPDIR:-/tmp}/$name"
  fi
  rm -f "$prefix/wineserver"
}

stop_wine() {
  # Still running only when INT or TERM cut the run short.
  if [ -n "$launched_pid" ]; then
    kill "$launched_pid" 2>/dev/null || true
  fi
  if [ -d "$prefix" ]; then
    # The server kills what is left and writes the registry to disk. Without
    # a server (it crashed, or a --shell command killed it with -k9) Wine
    # processes live on as orphans: end them by the prefix in their environment.
    if WINEPREFIX=$prefix wineserver -k 2>/dev/null; then
      WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
    else
      kill_orphans
    fi
    remove_socket_folder
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
}

finish() {
  stop_wine
  if [ -d "$prefix" ]; then
    check_template_untouched
  fi
  if [ "${SKAL_KEEP_PREFIX:-}" = 1 ]; then
    echo "wine-run: prefix kept at $prefix" >&2
  else
    rm -rf "$run_dir"
  fi
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkdir "$prefix"
copy_template
if [ -n "${SKAL_WINVER:-}" ]; then
  set_user_value 'Software\Wine' Version "$SKAL_WINVER"
fi
if [ -n "${SKAL_WINE_PREFIX_OUT:-}" ]; then
  echo "$prefix" >"$SKAL_WINE_PREFIX_OUT"
fi

# Without a window manager (a private Xvfb, or xvfb-run's), Wine waits 2 s
# for one each time it hides a managed window; unmanaged windows close at once.
set_user_value 'Software\Wine\X11 Driver' Managed N
start_display
export WINEPREFIX=$prefix WINEARCH=$SKAL_WINE_ARCH WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
# One server for the whole run: a server that ends on its own between two
# programs races the next one's start ("recvmsg: Connection reset by peer").
wineserver -p

# In the background so that INT and TERM reach the traps at once.
"${launcher[@]}" "$@" <&0 &
launched_pid=$!
status=0
wait "$launched_pid" || status=$?
launched_pid=
exit "$status"
