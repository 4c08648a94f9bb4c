#!/usr/bin/env bash
# Builds the game and starts it under wine. With no X display, it runs in Xvfb and a
# screenshot of the board is written to build/play.png after a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh win64
source scripts/wine-env.sh
headless=0
[ -n "${DISPLAY:-}" ] || headless=1
quorl_display
quorl_wine_prefix 1024x768
if [ "$headless" -eq 0 ]; then
  exec wine build/win64/app/Quorl.exe
fi
LC_ALL=${LC_ALL:-fr_FR.UTF-8} wine build/win64/app/Quorl.exe &
sleep 8
import -window root build/play.png
echo "No display: Quorl ran in Xvfb; its board is in build/play.png"
wineserver -k
