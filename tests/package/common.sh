# Sourced by the package tests, after scripts/wine-env.sh: their checks, where the
# package installs, and the game played with the installed program.
# shellcheck shell=bash

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else fail "$what"; fi; }

# Sets drive_c, program_files and install_dir once the prefix exists: a 32-bit package
# installs in the 32-bit Program Files folder, which a 64-bit prefix names "(x86)".
find_install_dir() {
  drive_c=$WINEPREFIX/drive_c
  program_files="Program Files (x86)"
  [ -d "$drive_c/$program_files" ] || program_files="Program Files"
  install_dir=$drive_c/$program_files/Quorl
}

# Plays one game to a win with an installed Quorl.exe, started from its own folder by
# the end-to-end driver. Where no 32-bit program can run, natively or emulated, it says
# so and plays nothing.
play_installed() { # INSTALL_DIR EXE_AS_WINDOWS_PATH DRIVER SHOTS_DIR
  if [ "$quorl_wine32" = none ]; then
    echo "SKIPPED: playing the installed program: $quorl_wine32_reason"
    return 0
  fi
  # The driver compares what it sees with the reference pictures that its build unpacked.
  local references status=0
  references=$(cd "$(dirname "$3")/../.." && pwd)/e2e-references
  (cd "$1" && LC_ALL=fr_FR.UTF-8 QUORL_E2E_EXE="$2" QUORL_E2E_SHOTS="$4" \
    QUORL_E2E_REFERENCES="$references" quorl_wine "$3" \
    --gtest_filter=GameTest.WinShowsTheCongratulationModallyAndTheNextGuessCountsOne) || status=$?
  # Whatever the game left running must not hold up the next msiexec's wait for wine.
  quorl_wineserver -k >/dev/null 2>&1 || true
  return $status
}
