# Sourced by the package tests, after scripts/wine-env.sh.
# shellcheck shell=bash

# Plays one game to a win with an installed Quorl.exe, started from its own folder by
# the end-to-end driver. Where no 32-bit program can run, natively or emulated, it says
# so and plays nothing.
play_installed() { # INSTALL_DIR EXE_AS_WINDOWS_PATH DRIVER SHOTS_DIR
  if [ "$quorl_wine32" = none ]; then
    echo "SKIPPED: playing the installed program: $quorl_wine32_reason"
    return 0
  fi
  (cd "$1" && LC_ALL=fr_FR.UTF-8 QUORL_E2E_EXE="$2" QUORL_E2E_SHOTS="$4" quorl_wine "$3" \
    --gtest_filter=GameTest.WinShowsTheCongratulationModallyAndTheNextGuessCountsOne)
}
