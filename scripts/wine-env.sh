# Sourced by the scripts that run Windows programs: a private wine prefix for this
# checkout, configured once, and an X display (Xvfb when none is given).
# shellcheck shell=bash

quorl_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${QUORL_WINEPREFIX:-$quorl_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Whether this machine runs 32-bit Windows programs: wine32 must be installed and the
# kernel must run 32-bit code (some kernels are built or started without it). Sets
# quorl_wine32_reason to why not, and QUORL_WINE to the loader that runs the programs:
# Debian's `wine` starts the 32-bit loader first, which fails on such a kernel even for
# 64-bit programs, so there the 64-bit loader is called directly.
quorl_wine32_reason=
if [ ! -x /usr/lib/wine/wine ]; then
  quorl_wine32_reason="wine32 is not installed"
elif ! quorl_wine32_error=$(/usr/lib/wine/wine --version 2>&1); then
  quorl_wine32_reason="this kernel does not run 32-bit programs (${quorl_wine32_error##*: })"
fi
if [ -z "$quorl_wine32_reason" ]; then
  export QUORL_WINE=wine
else
  QUORL_WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
  export QUORL_WINE
fi

quorl_wine() { "$QUORL_WINE" "$@"; }

# Creates and configures the prefix when it is new: every program runs inside one
# virtual desktop (so windows get title bars and maximise to the desktop's size,
# and `wine prog.exe` still returns the program's exit code), and "Comic Sans MS",
# which the windows ask for, is drawn with Debian's Comic Neue. A prefix made before
# wine32 was installed has no 32-bit system and cannot run 32-bit programs: it is
# made again.
quorl_wine_prefix() {
  local size=${1:-1280x1024}
  if [ -f "$WINEPREFIX/.quorl-ready" ] && [ -z "$quorl_wine32_reason" ] &&
     [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "wine prefix $WINEPREFIX has no 32-bit system: making it again"
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/.quorl-ready" ]; then
    mkdir -p "$WINEPREFIX"
    quorl_wine wineboot -i >/dev/null 2>&1 || true
    quorl_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Comic Sans MS' /d 'Comic Neue' /f >/dev/null 2>&1
    # A crash must end the test that caused it, not wait behind wine's crash dialog.
    quorl_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quorl-ready"
  fi
  # Marlett draws the title bars' buttons. Debian's wine64 started directly does not
  # look in its own font folder, so the prefix gets its own copy.
  local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp "$marlett" "$fonts/"
  fi
  quorl_wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  quorl_wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >/dev/null 2>&1
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
