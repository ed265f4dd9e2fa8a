#!/usr/bin/env bash
# Runs one end-to-end scenario (tests/scenarios/NAME.scenario) in one Windows
# family: builds its package with pkgtool, lays out the simulated
# installation, runs the unchanged SkalUpd.exe from the package folder in a
# fresh Wine prefix, answers its windows and checks files, log, report text,
# the windows' texts and the registry.
#
#   run-scenario.sh BIN SCENARIO nt|98|me [dialogs|unattended]
#
# With "unattended" the runner runs with /S (and the scenario's
# unattended_exit arguments): no window is answered, the report is the file
# it writes beside the log, and its exit code is checked.
#
# BIN is the Windows build's program folder (SkalUpd.exe, pkgtool.exe,
# wauto.exe, restext.exe, skal_layout.exe and sim/). A scenario is a bash
# file of the verbs below, read once to set up and once more to check; see
# tests/scenarios/README.md.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ "${1:-}" != --in-prefix ]; then
  if [ $# -lt 3 ] || [ $# -gt 4 ] || [[ ! ${4:-dialogs} =~ ^(dialogs|unattended)$ ]]; then
    echo "usage: $0 BIN SCENARIO nt|98|me [dialogs|unattended]" >&2
    exit 2
  fi
  case $3 in
    nt) unset SKAL_WINVER ;;
    98) export SKAL_WINVER=win98 ;;
    me) export SKAL_WINVER=winme ;;
    *) echo "run-scenario: unknown family $3" >&2; exit 2 ;;
  esac
  bin=$(cd "$1" && pwd)
  scenario=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
  exec "$root/scripts/wine-run.sh" --shell "$here/run-scenario.sh" --in-prefix "$bin" "$scenario" "$3" "${4:-dialogs}"
fi

bin=$2
scenario=$3
family=$4
mode=$5
# A command that fails outside the checks ends the run (set -e), and Wine's
# programs often fail without a word: name the command. (Functions inherit
# the trap by set -E; subshells, whose failures the checks expect, stay quiet.)
set -E
trap 'failed_with=$?; [ $BASH_SUBSHELL != 0 ] ||
  echo "run-scenario: \"$BASH_COMMAND\" failed with status $failed_with (in ${FUNCNAME[*]:-the script}: $*)" >&2' ERR
wine_locale=$LC_ALL
# Texts are compared byte for byte in code page 936; only Wine runs in the locale.
export LC_ALL=C
w() { LC_ALL=$wine_locale wine "$@"; }

drive_c=$WINEPREFIX/drive_c
work=$drive_c/scenario
package=$drive_c/SkalPackage
product_win='C:\Program Files\Norvance\Skal'
mkdir -p "$work/texts" "$package"
failures=0
fail() {
  echo "FAIL [$family, $mode]: $*" >&2
  failures=$((failures + 1))
}

# Every text of the runner's string table, read at once: one Wine start.
w "$bin/restext.exe" "$bin/SkalUpd.exe" 'C:\scenario\texts' >/dev/null
# Message text ID of the runner, formatted with ARGS in place of %s and %d.
message() {
  local id=$1 text
  shift
  # Noted for the end: a check's failure inside $(...) would go unseen.
  [ -f "$work/texts/$id.txt" ] || { echo "$id" >>"$work/unknown-texts"; exit 1; }
  text=$(cat "$work/texts/$id.txt"; echo .)
  text=${text%.}
  local arg
  for arg in "$@"; do
    if [[ $text == *%s* ]]; then text=${text/'%s'/"$arg"}; else text=${text/'%d'/"$arg"}; fi
  done
  printf '%s' "$text"
}
contains() { # FILE NEEDLE
  local haystack
  haystack=$(cat "$1" 2>/dev/null; echo .)
  [[ $haystack == *"$2"* ]]
}
# A message of the log or the report ends its line: message 12 ("... 成功")
# must not be found in a line of message 16, which begins with its text.
holds_message() { # FILE TEXT
  local haystack
  haystack=$(cat "$1" 2>/dev/null; echo .)
  haystack=${haystack%.}
  [[ $haystack == *"$2"$'\r\n'* || $haystack == *"$2" ]]
}
# Runs COMMAND every 50 ms until it succeeds, for at most SECONDS.
poll() { # SECONDS COMMAND...
  local tries=$(($1 * 20))
  shift
  for ((; tries > 1; tries--)); do
    "$@" && return 0
    sleep 0.05
  done
  "$@"
}
unix_path() { # C:\A\B -> $drive_c/A/B
  local path=${1#[Cc]:\\}
  printf '%s/%s' "$drive_c" "${path//\\//}"
}
# A file of the product folder, or the file itself when NAME is a full path.
product_path() {
  case $1 in
    [A-Za-z]:\\*) unix_path "$1" ;;
    *) printf '%s/%s' "$(unix_path "$product_win")" "${1//\\//}" ;;
  esac
}

# ---- setup verbs (the check pass ignores them) ----
phase=setup
source_dir=
steps=()
restart=0
# pkgtool builds the package from C:\scenario\src; the runner goes beside it.
build_package() {
  (cd "$work" && w "$bin/pkgtool.exe" build --seed 1 src 'C:\SkalPackage' >"$work/pkgtool.txt") ||
    { cat "$work/pkgtool.txt" >&2; echo "run-scenario: pkgtool build failed" >&2; exit 1; }
  cp "$bin/SkalUpd.exe" "$package/"
}
families() { :; }
modes() { :; } # read by the build: the modes a scenario runs in when not both
package() { # SOURCE [SECTION.KEY=VALUE...]: SOURCE (from the repository's top) holds catalog.ini and files/
  [ $phase = setup ] || return 0
  source_dir=$root/$1
  shift
  rm -rf "$work/src" && cp -r "$source_dir" "$work/src"
  local setting
  for setting in "$@"; do # the key's line goes, its new line follows the section's header
    # Through the environment, as awk -v would read \n or \v in a value as escapes.
    section=${setting%%.*} key=${setting#*.} awk '
      BEGIN { section = ENVIRON["section"]; key = ENVIRON["key"]; name = substr(key, 1, index(key, "=") - 1) }
      /^\[/ { inside = (toupper($0) ~ "^\\[" toupper(section) "\\]") }
      inside && index($0, name "=") == 1 { next }
      { print }
      inside && /^\[/ { print key }' "$work/src/catalog.ini" >"$work/catalog.ini"
    mv "$work/catalog.ini" "$work/src/catalog.ini"
  done
  build_package
}
# TREES (from the repository's top) holds old/ and new/: the product folder
# with old/ laid over it is the installation, the folder as the layout made
# it with new/ laid over it the new build; pkgtool harvest compares the two
# and the package is built from what it writes. Each PROGRAM of the build's
# program folder (say verfixture.dll) is in the new build as built and
# installed with one byte more (another build of it). Files of old/ are from
# one day, those of new/ from a later one, but a file the same in both keeps
# its old time (whole seconds, which every file system on the way holds).
harvest() { # TREES [PROGRAM...]
  [ $phase = setup ] || return 0
  local trees=$root/$1 program product file
  shift
  product=$(unix_path "$product_win")
  rm -rf "$work/old" "$work/new" "$work/src" "$work/stage"
  mkdir -p "$work/stage"
  cp -r "$trees/old" "$trees/new" "$work/stage/"
  for program in "$@"; do
    cp "$bin/$program" "$work/stage/new/$program"
    { cat "$bin/$program"; printf x; } >"$work/stage/old/$program"
  done
  find "$work/stage/old" -type f -exec touch -d '2023-06-01 08:00:00' {} +
  find "$work/stage/new" -type f -exec touch -d '2024-03-01 12:00:00' {} +
  (cd "$work/stage/new" && find . -type f) | while read -r file; do
    ! cmp -s "$work/stage/old/$file" "$work/stage/new/$file" || touch -r "$work/stage/old/$file" "$work/stage/new/$file"
  done
  cp -a "$product" "$work/new"
  cp -a "$work/stage/new/." "$work/new/"
  cp -a "$work/stage/old/." "$product/"
  cp -a "$product" "$work/old"
  (cd "$work" && w "$bin/pkgtool.exe" harvest old new src >"$work/harvest.txt" 2>&1) ||
    { cat "$work/harvest.txt" >&2; echo "run-scenario: pkgtool harvest failed" >&2; exit 1; }
  build_package
  source_dir=$work/src
}
cut_short() { # FILE of the built package loses its second half, as a broken download would
  [ $phase = setup ] || return 0
  local file=$package/$1
  truncate -s $(($(stat -c %s "$file") / 2)) "$file"
}
installations=0
installation() { # PRODUCT VERSION [skal_layout OPTION...]: the first one's --folder is the product folder
  local args=("$@") i
  for ((i = 2; i < $#; i++)); do
    if [ "${args[i]}" = --folder ] && [ $installations = 0 ]; then product_win=${args[i + 1]}; fi
  done
  installations=$((installations + 1))
  [ $phase = setup ] || return 0
  [[ " $* " == *" --folder "* ]] || args+=(--folder "$product_win")
  w "$bin/skal_layout.exe" "${args[@]}" >/dev/null
}
installed() { # NAME TEXT: a file of the installation with that content
  [ $phase = setup ] || return 0
  mkdir -p "$(dirname "$(product_path "$1")")"
  printf '%s' "$2" >"$(product_path "$1")"
}
package_file() { find "$source_dir/files" -name "$1" | head -n1; }
installed_current() { # NAME: the installation already holds the package's copy
  [ $phase = setup ] || return 0
  cp "$(package_file "$1")" "$(product_path "$1")"
}
tamper() { # NAME TEXT: the package's archive carries TEXT as NAME, its catalogue the right size and CRC
  [ $phase = setup ] || return 0
  cp "$package/index.dat" "$work/index.dat"
  printf '%s' "$2" >"$(find "$work/src/files" -name "$1" | head -n1)"
  (cd "$work" && w "$bin/pkgtool.exe" build --seed 1 src 'C:\scenario\tampered' >/dev/null)
  cp -r "$work/tampered/." "$package/"
  cp "$work/index.dat" "$package/index.dat"
}
update_info() { # LINE...: the installation's update-info file (UpdInfo.DAT), packed as the product keeps it
  [ $phase = setup ] || return 0
  printf '%s\r\n' "$@" >"$work/UpdInfo.INI"
  (cd "$work" && w "$bin/pkgtool.exe" pack UpdInfo.INI UpdInfo.DAT >/dev/null)
  cp "$work/UpdInfo.DAT" "$(product_path UpdInfo.DAT)"
}
# NAME honour|ignore [via=ipc|svc|none] [id=N] [quit_delay=MS] [HELD FILE...]:
# the product's main program runs, registered by IPC (or as a client of the
# resident service, or nowhere) under component id N (default 1), taking MS
# to close once it honours a quit request.
main_program() {
  [ $phase = setup ] || return 0
  local name=$1 honour=1 ini i=0 via=ipc id=1 delay=0 library
  [ "$2" = honour ] || honour=0
  shift 2
  while [[ ${1:-} == *=* ]]; do
    case $1 in
      via=*) via=${1#via=} ;;
      id=*) id=${1#id=} ;;
      quit_delay=*) delay=${1#quit_delay=} ;;
      *) echo "run-scenario: unknown main_program setting $1" >&2; exit 2 ;;
    esac
    shift
  done
  cp "$bin/sim/sim_main_program.exe" "$(product_path "$name")"
  # The product's libraries, in its folder and, as the runner loads them, beside the runner.
  for library in ZMTIPC.dll $([ "$via" != svc ] || echo ZMTSvc.DLL); do
    cp "$bin/sim/$library" "$(product_path "$library")"
    cp "$bin/sim/$library" "$package/$library"
  done
  ini=$(product_path "${name%.*}.ini")
  printf '[Simulation]\r\nComponentId=%s\r\nRegister=%s\r\nHonourQuit=%s\r\nQuitDelay=%s\r\n' \
    "$id" "$via" "$honour" "$delay" >"$ini"
  for held in "$@"; do
    printf 'HoldFile%d=%s\\%s\r\n' $i "$product_win" "$held" >>"$ini"
    i=$((i + 1))
  done
  w "$(product_path "$name")" &
  poll 10 contains "$(product_path "${name%.*}.log")" ready ||
    { echo "run-scenario: the main program did not start" >&2; exit 1; }
}
held() { # NAME: a file of the product folder, held open by another program (sharing reads) during the run
  [ $phase = setup ] || return 0
  w "$bin/holdfile.exe" "$product_win\\$1" read 300 &
  poll 10 test -e "$(product_path "$1.ready")" || { echo "run-scenario: $1 could not be held open" >&2; exit 1; }
}
service() { # NAME [HELD FILE...]: the product's Windows service NAME (program NAME.EXE) runs, holding files
  [ $phase = setup ] || return 0
  local name=$1 command held
  shift
  cp "$bin/sim/sim_service.exe" "$(product_path "$name.EXE")"
  command="\"$product_win\\$name.EXE\" name=$name"
  for held in "$@"; do command+=" \"hold=$product_win\\$held\""; done
  w sc.exe create "$name" binpath= "$command" >/dev/null
  w sc.exe start "$name" >/dev/null
  poll 10 service_is "$name" RUNNING || { echo "run-scenario: the service $name did not start" >&2; exit 1; }
}
service_state() { w sc.exe query "$1" 2>/dev/null | tr -d '\r' | awk '$1 == "STATE" { print $4 }'; }
service_is() { [ "$(service_state "$1")" = "$2" ]; } # NAME STATE
await_program() { [ $phase = setup ] || return 0; steps+=("await $*"); }
# The next window and its answer: report [exit|esc|close] | save PATH |
# msgbox ok|yes|no|cancel | choice ROW | folder PATH | press ID | type ID TEXT |
# keys ID KEY... | browser (see the README).
answer() {
  [ $phase = setup ] || return 0
  steps+=("$*")
}
run_again() { [ $phase = setup ] || return 0; steps+=(again); }
installed_program() { # NAME: the simulator's program NAME (beside the runner in the build) in the product folder
  [ $phase = setup ] || return 0
  cp "$bin/$1" "$(product_path "$1")"
}
registry() { # reg.exe ARGUMENTS: change the registry before the run
  [ $phase = setup ] || return 0
  w reg.exe "$@" >/dev/null || { echo "run-scenario: reg.exe $* failed" >&2; exit 1; }
}
unattended_code=
unattended_args=()
unattended_exit() { # CODE [SWITCH...]: run with /S and these switches, the runner ends with CODE
  [ $phase = setup ] || return 0
  unattended_code=$1
  shift
  unattended_args=("$@")
}
restart_after() { [ $phase = setup ] || return 0; restart=1; }
runner_args=()
run_with() { [ $phase = setup ] || return 0; runner_args=("$@"); } # SWITCH...: the runner's switches in both modes
snapshot=0
snapshot() { [ $phase = setup ] || return 0; snapshot=1; } # the machine is recorded just before the runner starts
# Every file and folder of drive C but the package and this harness (files
# with size, time and content), and the registry of the machine and the user.
# Files still linked to the template prefix (Wine's own DLLs, most of the
# 700 MB) go by size, time and inode instead of content: a write in place
# moves the time, a new file breaks the link.
take_snapshot() { # NAME
  (cd "$drive_c" && find . \( -path ./SkalPackage -o -path ./scenario \) -prune -o -type d -printf 'd %p\n' -o \
    -type f -links +1 -printf 'f %p %s %T@ %i\n' -o -type f -printf 'f %p %s %T@\n' -exec md5sum {} + |
    sort) >"$work/$1.files"
  # Registry exports as text, without Wine's own keys, which Wine itself may write as programs run.
  local key name
  for key in 'HKLM\Software' 'HKCU\Software' 'HKLM\System\CurrentControlSet\Control\Session Manager'; do
    name=$(tr -c 'A-Za-z' _ <<<"$key")
    rm -f "$work/export.reg"
    w reg.exe export "$key" 'C:\scenario\export.reg' >/dev/null 2>&1 || true
    iconv -f UTF-16 -t UTF-8 "$work/export.reg" 2>/dev/null | tr -d '\r' |
      awk '/^\[/ { skip = ($0 ~ /^\[HKEY_[A-Z_]+\\Software\\Wine(\\|\])/) } !skip' >"$work/$1.$name.reg"
  done
}

# ---- check verbs (the setup pass ignores them) ----
check() { [ $phase = check ]; }
expect_new() { # NAME [SOURCE]: the installed file is the package's copy (files/SOURCE, default files/*/NAME)
  check || return 0
  local source
  if [ -n "${2:-}" ]; then source=$source_dir/files/$2; else source=$(package_file "$(basename "$1")"); fi
  cmp -s "$source" "$(product_path "$1")" || fail "$1 is not the package's copy"
}
expect_text() { # NAME TEXT: the installed file holds exactly TEXT
  check || return 0
  local actual
  actual=$(cat "$(product_path "$1")" 2>/dev/null; echo .)
  [ "${actual%.}" = "$2" ] || fail "$1 holds \"${actual%.}\", expected \"$2\""
}
expect_absent() { check || return 0; [ ! -e "$(product_path "$1")" ] || fail "$1 exists"; }
expect_log() { # ID [ARG...]: a line of the update log ends with the message
  check || return 0
  holds_message "$log" "$(message "$@")" || fail "the log lacks message $*"
}
expect_no_log() { # ID [ARG...]
  check || return 0
  ! holds_message "$log" "$(message "$@")" || fail "the log holds message $*"
}
expect_shown() { # ID [ARG...]: a message box showed the message
  check || return 0
  [ "$mode" = dialogs ] || return 0 # an unattended run shows no window
  contains "$work/windows.txt" "$(message "$@")" || fail "no window showed message $*"
}
# How often TEXT stands in FILE.
occurrences() { # FILE TEXT
  local rest seen=0
  rest=$(cat "$1" 2>/dev/null; echo .)
  while [[ $rest == *"$2"* ]]; do
    seen=$((seen + 1))
    rest=${rest#*"$2"}
  done
  echo "$seen"
}
expect_shown_count() { # COUNT ID [ARG...]: message boxes showed the message COUNT times
  check || return 0
  [ "$mode" = dialogs ] || return 0 # an unattended run shows no window
  local count=$1 seen
  shift
  seen=$(occurrences "$work/windows.txt" "$(message "$@")")
  [ "$seen" = "$count" ] || fail "message $* was shown $seen times, expected $count"
}
expect_log_count() { # COUNT ID [ARG...]: the update log holds the message COUNT times
  check || return 0
  local count=$1 seen
  shift
  seen=$(occurrences "$log" "$(message "$@")")
  [ "$seen" = "$count" ] || fail "the log holds message $* $seen times, expected $count"
}
expect_text_in() { # NAME TEXT: the file (a full path or one of the product folder) holds TEXT
  check || return 0
  contains "$(product_path "$1")" "$2" || fail "$1 lacks \"$2\""
}
ini_value() { w "$bin/iniread.exe" "$@" | tr -d '\r'; } # FILE SECTION KEY, read through the profile functions
expect_ini() { # FILE SECTION KEY VALUE: the INI value as programs read it (empty: missing)
  check || return 0
  local value
  value=$(ini_value "$1" "$2" "$3")
  [ "$value" = "$4" ] || fail "[$2] $3 of $1 is \"$value\", expected \"$4\""
}
expect_saved_report() { # PATH: the file saved from the report window holds the report's bytes
  check || return 0
  [ "$mode" = dialogs ] || return 0 # an unattended run shows no window
  cmp -s "$work/report.txt" "$(product_path "$1")" || fail "$1 does not hold the report"
}
expect_service() { # NAME STATE: the Windows service's state after the run (STOPPED, RUNNING, ...)
  check || return 0
  local state
  state=$(service_state "$1")
  [ "$state" = "$2" ] || fail "the service $1 is \"$state\", expected $2"
}
expect_shown_text() { # TEXT: a window showed TEXT (a message box's text or a list row)
  check || return 0
  [ "$mode" = dialogs ] || return 0 # an unattended run shows no window
  contains "$work/windows.txt" "$1" || fail "no window showed \"$1\""
}
expect_report_text() { # TEXT
  check || return 0
  contains "$work/report.txt" "$1" || fail "the report lacks \"$1\""
}
expect_report_is_log() { # the report is exactly this run's part of the log
  check || return 0
  local logged report
  logged=$(cat "$log"; echo .)
  logged=${logged##*\]$'\r\n'}
  logged=${logged%.}
  report=$(cat "$work/report.txt"; echo .)
  report=${report%.}
  [ "${logged%$'\r\n'}" = "${report%$'\r\n'}" ] || fail "the report is not the run's log"
}
expect_report() { # ID [ARG...]: a line of the report text ends with the message
  check || return 0
  holds_message "$work/report.txt" "$(message "$@")" || fail "the report lacks message $*"
}
# Unattended runs only: a run with windows that stops in a message box shows no report.
expect_unattended_report() { [ "$mode" = dialogs ] || expect_report "$@"; } # ID [ARG...]
# Whether the simulated main program NAME noted WORD: its log holds one a line.
program_noted() { contains "$(product_path "${1%.*}.log")" $'\n'"$2"$'\r'; } # NAME WORD
expect_program_noted() { # NAME WORD...
  check || return 0
  local name=$1 word
  shift
  for word in "$@"; do program_noted "$name" "$word" || fail "$name did not note $word"; done
}
expect_program_not_noted() { # NAME WORD...
  check || return 0
  local name=$1 word
  shift
  for word in "$@"; do ! program_noted "$name" "$word" || fail "$name noted $word"; done
}
expect_untouched() { # drive C (but the package) and the registry are as they were before the runner started
  check || return 0
  take_snapshot after
  local before
  for before in "$work"/before.*; do
    cmp -s "$before" "$work/after.${before##*/before.}" ||
      fail "the run changed ${before##*/before.}: $(diff "$before" "$work/after.${before##*/before.}" | head -n 6 | tr '\n' ' ')"
  done
}
# Path, size, time and content of each file below a folder, sorted.
tree_listing() { (cd "$1" && find . -type f -printf '%p %s %T@ ' -exec md5sum {} \; | sort); }
# The installation is the harvested new build: the same files with the same
# bytes and times, but the log folder and the LEFT files, which a package
# cannot remove.
expect_harvested() { # [LEFT...]
  check || return 0
  local listed left
  listed=$(tree_listing "$(unix_path "$product_win")" | grep -v '^\./LOGS/' || true)
  for left in "$@"; do listed=$(grep -v -F "./$left " <<<"$listed" || true); done
  [ "$listed" = "$(tree_listing "$work/new")" ] ||
    fail "the installation is not the new build: $(diff <(echo "$listed") <(tree_listing "$work/new") | head -n 8 | tr '\n' ' ')"
}
expect_registry() { # KEY VALUE DATA: the registry string value after the run
  check || return 0
  local data
  data=$(w reg.exe query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); print }' ||
    true) # a missing value reads as empty
  [ "$data" = "$3" ] || fail "$1\\$2 is \"$data\", expected \"$3\""
}

# ---- the run ----
# shellcheck source=/dev/null
source "$scenario"
[ -n "$source_dir" ] || { echo "run-scenario: the scenario names no package" >&2; exit 2; }
if [ "$mode" = unattended ] && [ -z "$unattended_code" ]; then
  echo "run-scenario: the scenario has no unattended_exit" >&2
  exit 2
fi

: >"$work/windows.txt"
: >"$work/report.txt"
# Unattended, wauto waits for the runner and prints its whole exit code
# (wine's own exit status holds only its low byte).
start_runner() {
  if [ "$mode" = unattended ]; then
    rm -f "$work/exit.txt"
    (cd "$package" && w "$bin/wauto.exe" run 'C:\SkalPackage\SkalUpd.exe' /S "${runner_args[@]}" \
      "${unattended_args[@]}" >"$work/exit.txt") &
  else
    (cd "$package" && w 'C:\SkalPackage\SkalUpd.exe' "${runner_args[@]}") &
  fi
  runner=$!
}
# Waits up to 30 s for the runner to end.
runner_ended() { ! kill -0 "$runner" 2>/dev/null; }
end_runner() {
  if ! poll 30 runner_ended; then
    fail "the runner still runs after the answers; open: $(open_window)"
    kill "$runner" 2>/dev/null || true
  fi
  wait "$runner" || true
}
[ "$snapshot" = 0 ] || take_snapshot before
start_runner

# The caption of the dialog or message box open now, in UTF-8 as Wine takes
# arguments; empty when none is open.
open_window() {
  w "$bin/wauto.exe" list 2>/dev/null | tr -d '\r' | awk -F'\t' '$2 == "#32770" && $3 != "" { print $3; exit }' |
    iconv -f GBK -t UTF-8
}
# wauto COMMAND on the topmost window that fits it, whatever its caption:
# message boxes for msgbox, else a dialog that takes input (the version
# choice and its quit question share their caption). Waits up to 30 s for it.
wa() { w "$bin/wauto.exe" "$1" '*' "${@:2}" 30000; }
working=$(message 34)
# The report once the update has run inside its window (before, it shows
# "working"). While the update runs the window may not answer (wauto exits
# with 3); without a report window (1) there is no report.
read_report() {
  local text
  for _ in $(seq 300); do
    if text=$(wa text 1006 && echo .); then
      text=${text%$'\n.'}
      [ "$text" != "$working" ] && break
    elif [ $? = 1 ]; then
      return 1
    fi
    sleep 0.1
  done
  printf '%s' "$text" >"$work/report.txt"
}
# Leaves the report by Exit, Esc or its close box.
leave_report() { # exit|esc|close
  case $1 in
    exit) wa click 1 ;;
    esc) wa key 1006 escape ;;
    close) wa close ;;
    *) echo "run-scenario: the report is left by exit, esc or close, not $1" >&2; exit 2 ;;
  esac >/dev/null
}
for step in "${steps[@]}"; do
  if [ "$step" = again ]; then
    end_runner
    start_runner
    continue
  fi
  if [[ $step == await\ * ]]; then
    read -r _ name word <<<"$step"
    poll 30 program_noted "$name" "$word" || fail "$name did not note $word in time"
    continue
  fi
  [ "$mode" = dialogs ] || continue
  read -r kind arg <<<"$step"
  read -r id rest <<<"$arg"
  case $kind in
    report) read_report && leave_report "${arg:-exit}" ;;
    save) # Save As, the save dialog's proposed name kept with the windows' texts; the report stays open.
      read_report && wa click 1002 >/dev/null && { wa save "$arg" && echo; } >>"$work/windows.txt" ;;
    msgbox) { wa msgbox "$arg" && echo; } >>"$work/windows.txt" ;;
    choice) wa rows 1007 >>"$work/windows.txt" && wa clickrow 1007 "$arg" >/dev/null && wa click 1 >/dev/null ;;
    folder) wa set 1008 "$arg" >/dev/null && wa click 1 >/dev/null ;;
    press) wa click "$arg" >/dev/null ;;
    type) wa set "$id" "$rest" >/dev/null ;;
    keys) wa key "$id" $rest >/dev/null ;;
    browser) { wa browser && echo; } >>"$work/windows.txt" ;;
    *) echo "run-scenario: unknown answer $kind" >&2; exit 2 ;;
  esac || { fail "could not answer \"$step\"; open: $(open_window)"; break; }
done

end_runner

# ---- the restart ----
# Wine carries out Wininit.ini and the delayed moves of NT when it restarts,
# but neither the DOS start of Windows 98 (C:\Autoexec.bat) nor the programs
# that Win.ini's Run value lists at a start of Windows 95, 98 or Me: those
# steps are done here, in their order at a real start.
first_file() { find "$1" -maxdepth 1 -iname "$2" | head -n1; } # FOLDER NAME, any letter case
# DOS sees a file whose long name is no 8.3 name only by its short name. The
# files the start files and their batches name are renamed to their short
# names for DOSBox ("FOLDER<TAB>SHORT<TAB>LONG" kept in dos_names) and back
# afterwards. Needs Wine running, to resolve the short names. The start
# files and the batches they call are kept in C:\scenario\dos as they were.
dos_names=()
dos_view() { # START FILE...
  local files=("$@") paths=() longs=() path long i pattern='[A-Za-z]:\\[^[:space:]]+'
  for path in $(grep -ohE "$pattern" "$@" | sort -u); do
    [[ ${path^^} == *.BAT ]] || continue
    long=$(w "$bin/longname.exe" "$path" | tr -d '\r')
    [ -z "$long" ] || files+=("$(unix_path "$long")")
  done
  mkdir -p "$work/dos"
  cp "${files[@]}" "$work/dos/"
  mapfile -t paths < <(grep -ohE "$pattern" "${files[@]}" | sort -u)
  mapfile -t longs < <(w "$bin/longname.exe" "${paths[@]}" | tr -d '\r')
  for i in "${!paths[@]}"; do
    path=${paths[i]} long=${longs[i]}
    [ -n "$long" ] && [ "${path^^}" != "${long^^}" ] || continue
    [ "${path%\\*}" = "${long%\\*}" ] || { echo "run-scenario: DOS would see a folder of $long by its short name" >&2; exit 1; }
    dos_names+=("$(unix_path "${long%\\*}")"$'\t'"${path##*\\}"$'\t'"${long##*\\}")
  done
}
# Windows 98 starts in DOS first: C:\Autoexec.bat, then WinStart.bat of the Windows folder, run by DOSBox on drive C.
dos_start() {
  local autoexec winstart entry folder short long commands=()
  autoexec=$(first_file "$drive_c" autoexec.bat)
  [ -n "$autoexec" ] || return 0
  command -v dosbox >/dev/null || { fail "DOSBox is missing: the DOS start cannot run"; return 0; }
  commands+=(-c 'call C:\AUTOEXEC.BAT')
  winstart=$(first_file "$drive_c/windows" winstart.bat)
  [ -z "$winstart" ] || commands+=(-c 'call C:\WINDOWS\WINSTART.BAT')
  for entry in "${dos_names[@]}"; do
    IFS=$'\t' read -r folder short long <<<"$entry"
    mv "$folder/$long" "$folder/$short"
  done
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 \
    dosbox -noconsole -c "mount c $drive_c" -c c: "${commands[@]}" -c exit >"$work/dosbox.txt" 2>&1 ||
    fail "DOSBox did not finish the DOS start"
  for entry in "${dos_names[@]}"; do
    IFS=$'\t' read -r folder short long <<<"$entry"
    [ ! -e "$folder/$short" ] || mv "$folder/$short" "$folder/$long"
  done
}
# Windows 95, 98 and Me start the programs of Win.ini's Run value, without arguments, once Windows runs.
# The value is read as programs read it: under Wine, [windows] of Win.ini lives in the registry.
start_run_programs() {
  local program
  for program in $(ini_value 'C:\windows\win.ini' windows Run | tr ',' ' '); do
    (cd "$drive_c/windows" && timeout 60 env LC_ALL="$wine_locale" wine "$program") ||
      echo "run-scenario: $program, started from Win.ini, ended with $?" >&2
  done
}
if [ "$restart" = 1 ]; then
  [ "$family" != 98 ] || [ -z "$(first_file "$drive_c" autoexec.bat)" ] ||
    dos_view "$(first_file "$drive_c" autoexec.bat)" $(first_file "$drive_c/windows" winstart.bat)
  # A restart ends every program, the main program holding its files too.
  wineserver -k || true
  wineserver -w || true
  wineserver -p
  [ "$family" != 98 ] || dos_start
  w wineboot.exe -r
  [ "$family" = nt ] || start_run_programs
fi

log=$(find "$(product_path LOGS)" -name '*Update.LOG' 2>/dev/null | head -n1 || true)
if [ "$mode" = unattended ]; then
  if [ -n "$log" ]; then
    cp "$(dirname "$log")/UpdReport.txt" "$work/report.txt" 2>/dev/null || fail "no report beside the log"
  else # without a log: a dry run's report lies beside the package, that of a run that ended early in TEMP
    cp "$package/UpdReport.txt" "$work/report.txt" 2>/dev/null ||
      cp "$(find "$drive_c/windows/temp" "$drive_c/users" -iname UpdReport.txt 2>/dev/null | head -n1)" \
        "$work/report.txt" 2>/dev/null || true
  fi
  code=$(tr -d '\r\n ' <"$work/exit.txt" 2>/dev/null || true)
  [ "$code" = "$unattended_code" ] || fail "the unattended runner ended with \"$code\", expected $unattended_code"
fi
phase=check
# shellcheck source=/dev/null
source "$scenario"
[ ! -e "$work/unknown-texts" ] || fail "the runner has no text $(sort -u "$work/unknown-texts" | tr '\n' ' ')"
if [ "$failures" -gt 0 ]; then
  echo "--- windows:" >&2; iconv -f GBK -t UTF-8 "$work/windows.txt" >&2 || true
  echo "--- report:" >&2; iconv -f GBK -t UTF-8 "$work/report.txt" >&2 || true
  echo "--- log ${log:-none}:" >&2; [ -z "$log" ] || iconv -f GBK -t UTF-8 "$log" >&2 || true
  exit 1
fi
echo "scenario $(basename "$scenario" .scenario) [$family, $mode]: passed"
