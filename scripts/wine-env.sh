# Sourced by the scripts that run Windows programs: a private wine prefix for this
# checkout, configured once, and an X display (Xvfb when none is given).
# shellcheck shell=bash

quorl_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${QUORL_WINEPREFIX:-$quorl_root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# How this machine runs the shipped 32-bit program, in quorl_wine32:
#   native    the kernel runs 32-bit programs;
#   emulated  it refuses them, but scripts/emulate32 runs them under qemu in a private
#             namespace: every wine command then runs in such a namespace;
#   none      neither works (quorl_wine32_reason says why): only 64-bit programs run.
# QUORL_WINE32=native|emulated|none forces a case, for example to try the emulated one
# on a machine that runs 32-bit programs; a forced emulated or none keeps its own
# prefix, build/wineprefix-<case>. The case found is exported, so that the scripts and
# tests started from here neither probe nor say it again.
quorl_wine32_find() {
  local forced=${QUORL_WINE32:-} error=
  quorl_wine32=none quorl_wine32_reason=
  if [ ! -x /usr/lib/wine/wine ]; then
    quorl_wine32_reason="wine32 is not installed"
    return
  fi
  case $forced in
    native) quorl_wine32=native; return ;;
    none) quorl_wine32_reason="QUORL_WINE32=none"; return ;;
    emulated) ;;
    "") if error=$(/usr/lib/wine/wine --version 2>&1); then quorl_wine32=native; return; fi ;;
    *) quorl_wine32_reason="QUORL_WINE32=$forced is not native, emulated or none"; return ;;
  esac
  local why="this kernel does not run 32-bit programs (${error##*: })"
  [ -z "$forced" ] || why="QUORL_WINE32=emulated"
  if error=$("$quorl_root/scripts/emulate32" /usr/lib/wine/wine --version 2>&1); then
    quorl_wine32=emulated
    quorl_wine32_reason=$why
    return
  fi
  error=$(tail -n 1 <<<"$error")
  quorl_wine32_reason="$why, and qemu cannot run them in a private namespace ($error"
  # A user namespace may mount its own binfmt_misc only from Linux 6.7 on.
  if ! printf '%s\n' 6.7 "$(uname -r)" | sort -VC; then
    quorl_wine32_reason+="; Linux $(uname -r) is older than 6.7"
  fi
  quorl_wine32_reason+=")"
}

if [ "${QUORL_EMULATE32:-}" = inside ]; then
  quorl_wine32=emulated quorl_wine32_reason=${QUORL_WINE32_REASON:-}
elif [ -n "${QUORL_WINE32_FOUND:-}" ]; then
  quorl_wine32=$QUORL_WINE32_FOUND quorl_wine32_reason=${QUORL_WINE32_REASON:-}
else
  quorl_wine32_find
  case $quorl_wine32 in
    native) echo "32-bit wine: native" ;;
    emulated) echo "32-bit wine: emulated, under qemu in a private namespace: $quorl_wine32_reason" ;;
    none) echo "32-bit wine: none: $quorl_wine32_reason" ;;
  esac >&2
  export QUORL_WINE32_FOUND=$quorl_wine32 QUORL_WINE32_REASON=$quorl_wine32_reason
fi
if [ -n "${QUORL_WINE32:-}" ] && [ "$quorl_wine32" != native ] && [ -z "${QUORL_WINEPREFIX:-}" ]; then
  export WINEPREFIX=$quorl_root/build/wineprefix-$quorl_wine32
fi

# Emulated, each start of a 32-bit program takes the best part of a minute: the
# end-to-end tests wait longer before they give up. And now and then a start ends
# before the program's first window, for the emulation's own reasons: the tests make
# such a start once more, and say so.
if [ "$quorl_wine32" = emulated ]; then
  export QUORL_E2E_TIMEOUT_SECONDS=${QUORL_E2E_TIMEOUT_SECONDS:-240}
  export QUORL_E2E_RETRY_START=${QUORL_E2E_RETRY_START:-1}
fi

# Whether a file is a 32-bit Windows program: the machine field of its PE header.
quorl_is_win32_program() {
  local header
  [ -f "$1" ] && header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null) && [ -n "$header" ] &&
    [ "$(od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')" = 014c ]
}

# Runs a command as the case requires: in the emulated case, in a private namespace.
quorl_in_case() {
  if [ "$quorl_wine32" = emulated ]; then "$quorl_root/scripts/emulate32" "$@"; else "$@"; fi
}

# Runs a Windows program (a file, or one of wine's own such as wineboot or reg). Native,
# through Debian's `wine`, which starts every program in the 32-bit loader first and
# runs wine's own programs as 32-bit ones. Elsewhere that first step would take many
# seconds (emulated) or fail (none): 32-bit programs go to the 32-bit loader, all the
# others straight to the 64-bit one.
quorl_wine() {
  local loader=/usr/lib/wine/wine64
  if [ "$quorl_wine32" = native ]; then loader=wine
  elif quorl_is_win32_program "$1"; then loader=/usr/lib/wine/wine
  fi
  quorl_in_case "$loader" "$@"
}

quorl_wineserver() { quorl_in_case wineserver "$@"; }

# Creates and configures the prefix when it is new: every program runs inside one
# virtual desktop (so windows get title bars and maximise to the desktop's size,
# and `wine prog.exe` still returns the program's exit code), and "Comic Sans MS",
# which the windows ask for, is drawn with Debian's Comic Neue. A prefix made before
# wine32 was installed has no 32-bit system and cannot run 32-bit programs: it is
# made again.
quorl_wine_prefix() {
  local size=${1:-1280x1024}
  if [ -f "$WINEPREFIX/.quorl-ready" ] && [ "$quorl_wine32" != none ] &&
     [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "wine prefix $WINEPREFIX has no 32-bit system: making it again"
    quorl_wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/.quorl-ready" ]; then
    mkdir -p "$WINEPREFIX"
    quorl_wine wineboot -i >/dev/null 2>&1 || true
    quorl_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Comic Sans MS' /d 'Comic Neue' /f >/dev/null 2>&1
    # A crash must end the test that caused it, not wait behind wine's crash dialog.
    quorl_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    quorl_wineserver -w
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
  quorl_wineserver -w
}

# Starts Xvfb on a free display unless DISPLAY is already set; stops it on exit.
quorl_display() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  quorl_xvfb_pid=$!
  export DISPLAY=":$n"
  trap 'quorl_wineserver -k >/dev/null 2>&1 || true; kill $quorl_xvfb_pid 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}
