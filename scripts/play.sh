#!/usr/bin/env bash
# Builds the game and starts it under wine: the shipped 32-bit program, or the 64-bit
# build where this machine's kernel does not run 32-bit programs (emulated, the 32-bit
# program would take the best part of a minute to start). With no X display, it runs in
# Xvfb and a screenshot of the board is written to build/play.png after a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
source scripts/wine-env.sh
preset=win32
if [ "$quorl_wine32" != native ]; then
  echo "The 32-bit program does not run natively here ($quorl_wine32_reason): starting the 64-bit build"
  preset=win64
fi
bash scripts/build.sh "$preset"
program=build/$preset/app/Quorl.exe
headless=0
[ -n "${DISPLAY:-}" ] || headless=1
quorl_display
quorl_wine_prefix 1024x768
if [ "$headless" -eq 0 ]; then
  quorl_wine "$program"
  exit
fi
LC_ALL=${LC_ALL:-fr_FR.UTF-8} quorl_wine "$program" &
sleep 8
import -window root build/play.png
echo "No display: Quorl ran in Xvfb; its board is in build/play.png"
quorl_wineserver -k
