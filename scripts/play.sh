#!/usr/bin/env bash
# Builds the game and starts it under wine: the shipped 32-bit program, or the 64-bit
# build where this machine's kernel does not run 32-bit programs (emulated, the 32-bit
# program would take the best part of a minute to start). With no X display, it runs in
# Xvfb and a screenshot of the board is written to build/play.png once it is shown.
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
program_pid=$!

# Whether the main window is on the screen: wine gives each shown top-level window an
# X window of its own inside the desktop, titled like it; the invisible application
# window, titled the same, is 1x1.
main_window_shown() {
  local id WIDTH HEIGHT
  for id in $(xdotool search --onlyvisible --name '^Quorl$' 2>/dev/null); do
    WIDTH=0 HEIGHT=0
    eval "$(xdotool getwindowgeometry --shell "$id")"
    ((WIDTH > 1 && HEIGHT > 1)) && return 0
  done
  return 1
}

# The board once it is shown and painted: captures half a second apart until two are
# the same (or for 10 seconds: the caret blinks), within a limit that allows for a
# start under emulation.
limit=$((SECONDS + 180))
until main_window_shown; do
  if ! kill -0 "$program_pid" 2>/dev/null; then
    wait "$program_pid" && status=0 || status=$?
    echo "No display: Quorl ended (exit code $status) before its main window showed" >&2
    exit 1
  fi
  if ((SECONDS > limit)); then
    echo "No display: Quorl's main window did not show within 3 minutes" >&2
    exit 1
  fi
  sleep 0.2
done
previous=
limit=$((SECONDS + 10))
while ((SECONDS <= limit)); do
  import -window root build/play.png
  current=$(md5sum <build/play.png)
  [ "$current" != "$previous" ] || break
  previous=$current
  sleep 0.5
done
echo "No display: Quorl ran in Xvfb; its board is in build/play.png"
quorl_wineserver -k
