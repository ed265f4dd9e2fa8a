#!/usr/bin/env bash
# wauto as scripts use it, against autofixture in one prefix: printed texts
# (code page 936 bytes, lines ending in \n) and exit codes.
# Usage: scripts/wine-run.sh --shell tests/automation/wauto_test.sh BIN_DIR
set -uo pipefail
bin=$1
failures=0

wauto() { wine "$bin/wauto.exe" "$@" 2>/dev/null; }
gbk() { printf '%s\n' "$1" | iconv -f UTF-8 -t GBK; }
expect() { # WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAILED: $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}
# Control text, polled: clicks take effect a moment after wauto returns.
text_once_it_is() { # CAPTION ID EXPECTED
  local text
  for _ in $(seq 20); do
    text=$(wauto text "$1" "$2")
    [ "$text" = "$3" ] && break
    sleep 0.1
  done
  echo "$text"
}

wauto; expect "usage" 2 $?
wauto wait "没有这个窗口" 200; expect "missing window" 1 $?

caption="更新错误"
wine "$bin/autofixture.exe" msgbox "$caption" "文件 C:\\Skal\\ 无法更新" yesno &
fixture=$!
wauto wait "$caption" >/dev/null; expect "wait" 0 $?
expect "message box text" "$(gbk '文件 C:\Skal\ 无法更新' | od -An -tx1)" "$(wauto msgbox "$caption" | od -An -tx1)"
wauto msgbox "$caption" cancel >/dev/null; expect "answer the box lacks" 3 $?
wauto msgbox "$caption" no >/dev/null; expect "answer no" 0 $?
wait "$fixture"; expect "button seen by the fixture" 7 $?

wine "$bin/autofixture.exe" dialog "$caption" "正在更新文件......" &
fixture=$!
expect "control text" "$(gbk '正在更新文件......')" "$(wauto text "$caption" 1001)"
wauto msgbox "$caption" >/dev/null; expect "dialog is no message box" 4 $?
wauto text "$caption" 4242 >/dev/null; expect "missing control" 3 $?
wauto click "$caption" 1005; expect "disabled button" 3 $?
wauto save "$caption"; expect "save without a path" 2 $?
wauto save "$caption" 'C:\Report.txt' 300; expect "save with no save dialog open" 1 $?
wauto click "$caption" 1003; expect "click" 0 $?
expect "click took effect" 1 "$(text_once_it_is "$caption" 1002 1)"
wauto click "$caption" 1; expect "click OK" 0 $?
wait "$fixture"; expect "dialog result" 1 $?

wine "$bin/autofixture.exe" dialog "$caption" "旧文本" &
fixture=$!
wauto set "$caption" 1001 "新的文件夹"; expect "set" 0 $?
expect "set text read back" "$(gbk '新的文件夹')" "$(wauto text "$caption" 1001)"
wauto set "$caption" 4242 "x"; expect "set missing control" 3 $?
wauto set "$caption" 1001; expect "set without text" 2 $?
wauto click "$caption" 1 >/dev/null
wait "$fixture"

wine "$bin/autofixture.exe" list "$caption" "Skal 2003" "防火墙 V2.0" &
fixture=$!
expect "rows: image, tab, text" "$(printf '0\tSkal 2003\n1\t%s' "$(gbk '防火墙 V2.0')")" "$(wauto rows "$caption" 1006)"
wauto rows "$caption" 1002 >/dev/null; expect "rows of no list" 3 $?
wauto clickrow "$caption" 1006 2; expect "click a missing row" 3 $?
wauto clickrow "$caption" 1006 1; expect "click a row" 0 $?
expect "row click seen" "click 1" "$(text_once_it_is "$caption" 1002 "click 1")"
wauto key "$caption" 1006 space; expect "key by name" 0 $?
expect "key seen" "key 32" "$(text_once_it_is "$caption" 1002 "key 32")"
wauto key "$caption" 1006 0x26; expect "key by number" 0 $?
expect "key number seen" "key 38" "$(text_once_it_is "$caption" 1002 "key 38")"
wauto key "$caption" 1006 hyper; expect "unknown key" 2 $?
wauto click "$caption" 1 >/dev/null
wait "$fixture"; expect "row selected by the up key" 1 $?

title="选择Skal.NET版本的安装目录."
wauto browser 0 200; expect "no browser" 1 $?
wine "$bin/autofixture.exe" browse "$title" &
fixture=$!
expect "browser title, then cancel" "$(gbk "$title")" "$(wauto browser 0 cancel)"
wait "$fixture"; expect "browser cancelled" 0 $?
wauto browser x; expect "browser usage" 2 $?

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
