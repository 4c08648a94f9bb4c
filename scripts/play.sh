#!/usr/bin/env bash
# Builds the game and starts it under wine: the shipped 32-bit program, or the 64-bit
# build where this machine cannot run 32-bit programs. With no X display, it runs in
# Xvfb and a screenshot of the board is written to build/play.png after a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
source scripts/wine-env.sh
preset=win32
if [ -n "$quorl_wine32_reason" ]; then
  echo "The 32-bit program cannot run here ($quorl_wine32_reason): starting the 64-bit build"
  preset=win64
fi
bash scripts/build.sh "$preset"
program=build/$preset/app/Quorl.exe
headless=0
[ -n "${DISPLAY:-}" ] || headless=1
quorl_display
quorl_wine_prefix 1024x768
if [ "$headless" -eq 0 ]; then
  exec "$QUORL_WINE" "$program"
fi
LC_ALL=${LC_ALL:-fr_FR.UTF-8} "$QUORL_WINE" "$program" &
sleep 8
import -window root build/play.png
echo "No display: Quorl ran in Xvfb; its board is in build/play.png"
wineserver -k
