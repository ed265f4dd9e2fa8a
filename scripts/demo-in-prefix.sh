#!/usr/bin/env bash
# The part of the demo that runs inside a Wine prefix (started by demo.sh
# through wine-run.sh --shell): installs the simulated product, starts the
# runner from its package folder and answers each window it opens.
set -euo pipefail
demo=$1
bin=$(cd "$(dirname "$0")/../build/win32/bin" && pwd)
drive_c=$WINEPREFIX/drive_c

# The installed product: the 2003 edition, registered under its key.
mkdir -p "$drive_c/Program Files/Norvance/Skal"
wine reg add 'HKLM\SOFTWARE\Norvance\AntiVirus\V4.0' /v ProgramPath /d 'C:\Program Files\Norvance\Skal\' /f >/dev/null
cp -r "$demo/package" "$drive_c/SkalPackage"

echo "demo: starting C:\\SkalPackage\\SkalUpd.exe"
wine 'C:\SkalPackage\SkalUpd.exe' &
runner=$!

# Captions of the windows the runner may open: its message box titles and
# the report window.
captions=("错误!" "Skal提示信息" "确认" "NorvanceSkal升级包升级报告")
shots=0
while kill -0 "$runner" 2>/dev/null; do
  for caption in "${captions[@]}"; do
    if wine "$bin/wauto.exe" wait "$caption" 200 >/dev/null 2>&1; then
      shots=$((shots + 1))
      import -window root "$demo/screenshot-$shots.png" 2>/dev/null || true
      echo "demo: window \"$caption\" (screenshot $demo/screenshot-$shots.png):"
      if [ "$caption" = "NorvanceSkal升级包升级报告" ]; then
        wine "$bin/wauto.exe" text "$caption" 1006 | iconv -f GBK -t UTF-8
        wine "$bin/wauto.exe" click "$caption" 1 >/dev/null
      else
        wine "$bin/wauto.exe" msgbox "$caption" ok | iconv -f GBK -t UTF-8 | sed 's/^/    /'
      fi
    fi
  done
done
wait "$runner" || true
echo "demo: the runner has ended"
log=$(find "$drive_c/Program Files/Norvance/Skal/LOGS" -name '*Update.LOG' 2>/dev/null | head -n1 || true)
if [ -n "$log" ]; then
  echo "demo: update log $log:"
  iconv -f GBK -t UTF-8 "$log"
fi
