#!/usr/bin/env bash
# The part of the demo that runs inside a Wine prefix (started by demo.sh
# through wine-run.sh --shell): lays out the simulated product, starts the
# runner from its package folder and answers each window it opens.
set -euo pipefail
demo=$1
bin=$(cd "$(dirname "$0")/../build/${SKAL_WINE_ARCH:-win32}/bin" && pwd)
drive_c=$WINEPREFIX/drive_c
product='C:\Program Files\Norvance\Skal'
product_unix="$drive_c/Program Files/Norvance/Skal"

# The installed product: the 2003 edition (registry V4.0) with older files.
wine "$bin/skal_layout.exe" antivirus 4 --folder "$product" --caption "NorvanceSkal 2003" >/dev/null
for file in ZMEngine.DAT ZMT00011.DAT; do
  printf 'installed %s, an older build\r\n' "$file" >"$product_unix/$file"
done
cp -r "$demo/package" "$drive_c/SkalPackage"

# The product is running: its main program (the simulator's, as ZMT32.EXE)
# registers through the product's IPC library, holds its files open and quits
# when a second instance is started with "/quit". The runner loads the IPC
# library from its own folder.
cp "$bin/sim/sim_main_program.exe" "$product_unix/ZMT32.EXE"
cp "$bin/sim/ZMTIPC.dll" "$product_unix/ZMTIPC.dll"
cp "$bin/sim/ZMTIPC.dll" "$drive_c/SkalPackage/ZMTIPC.dll"
printf '[Simulation]\r\nComponentId=1\r\nRegister=ipc\r\nHonourQuit=1\r\n' >"$product_unix/ZMT32.ini"
wine "$product\\ZMT32.EXE" &
for _ in $(seq 200); do
  grep -q ready "$product_unix/ZMT32.log" 2>/dev/null && break
  sleep 0.05
done
echo "demo: installation $product, main program ZMT32.EXE running:"
(cd "$product_unix" && ls -l | sed 's/^/    /')

echo "demo: starting C:\\SkalPackage\\SkalUpd.exe"
wine 'C:\SkalPackage\SkalUpd.exe' &
runner=$!

report="NorvanceSkal升级包升级报告"
captions=("$report" "错误!" "Skal提示信息" "确认")
shots=0
while kill -0 "$runner" 2>/dev/null; do
  for caption in "${captions[@]}"; do
    wine "$bin/wauto.exe" wait "$caption" 200 >/dev/null 2>&1 || continue
    if [ "$caption" = "$report" ]; then
      # The update runs inside the report window; wait until its text is the report.
      for _ in $(seq 100); do
        text=$(wine "$bin/wauto.exe" text "$caption" 1006 | iconv -f GBK -t UTF-8)
        [ "$text" != "正在更新文件......" ] && break
        sleep 0.2
      done
    fi
    shots=$((shots + 1))
    import -window root "$demo/screenshot-$shots.png" 2>/dev/null || true
    echo "demo: window \"$caption\" (screenshot $demo/screenshot-$shots.png):"
    if [ "$caption" = "$report" ]; then
      printf '%s\n' "$text" | sed 's/^/    /'
      wine "$bin/wauto.exe" click "$caption" 1 >/dev/null
    else
      wine "$bin/wauto.exe" msgbox "$caption" ok | iconv -f GBK -t UTF-8 | sed 's/^/    /'
    fi
  done
done
wait "$runner" || true
echo "demo: the runner has ended; what the main program noted:"
sed 's/^/    /' "$product_unix/ZMT32.log" 2>/dev/null || true
echo "demo: the installation now holds:"
(cd "$product_unix" && ls -l | sed 's/^/    /')
log=$(find "$product_unix/LOGS" -name '*Update.LOG' 2>/dev/null | head -n1 || true)
if [ -n "$log" ]; then
  echo "demo: update log $log:"
  iconv -f GBK -t UTF-8 "$log" | sed 's/^/    /'
fi
