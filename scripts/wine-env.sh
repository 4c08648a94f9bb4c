# Sourced by the scripts that run Windows programs: a private wine prefix for this
# checkout, configured once, and an X display (Xvfb when none is given).
# shellcheck shell=bash

quorl_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${QUORL_WINEPREFIX:-$quorl_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Creates and configures the prefix when it is new: every program runs inside one
# virtual desktop (so windows get title bars and maximise to the desktop's size,
# and `wine prog.exe` still returns the program's exit code), and "Comic Sans MS",
# which the windows ask for, is drawn with Debian's Comic Neue.
quorl_wine_prefix() {
  local size=${1:-1280x1024}
  if [ ! -f "$WINEPREFIX/.quorl-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Comic Sans MS' /d 'Comic Neue' /f >/dev/null 2>&1
    # A crash must end the test that caused it, not wait behind wine's crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quorl-ready"
  fi
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >/dev/null 2>&1
  wineserver -w
}

# Starts Xvfb on a free display unless DISPLAY is already set; stops it on exit.
quorl_display() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  quorl_xvfb_pid=$!
  export DISPLAY=":$n"
  trap 'wineserver -k >/dev/null 2>&1 || true; kill $quorl_xvfb_pid 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}
