#!/usr/bin/env bash
# Builds everything and runs every test: installs what is missing, builds the four
# presets, runs the native tests (64-bit, 32-bit, and under the sanitizers), a bounded
# fuzz run of both, the static-import check of the Windows programs, then the shipped
# 32-bit program's tests under 32-bit wine in Xvfb and the 64-bit build's under wine64.
# How much of the 32-bit suite runs depends on how this machine runs 32-bit programs
# (scripts/wine-env.sh says which case it found):
#   native    the whole 32-bit suite; the 64-bit build its unit tests and one game;
#   emulated  (under qemu, in a private namespace: each start of a 32-bit program takes
#             the best part of a minute) the cases that only the 32-bit build can show
#             and the installer package; the 64-bit build its whole suite;
#   none      the installer package alone; the 64-bit build its whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
source scripts/wine-env.sh

full64=ON
[ "$quorl_wine32" != native ] || full64=OFF
cmake --preset win64 -DQUORL_E2E_FULL=$full64 >/dev/null
bash scripts/build.sh native native32 win32 win64

status=0
run() { echo "== $*"; "$@" || status=1; }

run ctest --preset native -j2
# 32-bit code: pointers of 4 bytes, doubles computed on the x87 unit.
run ctest --preset native32 -j2 -L unit
run ctest --test-dir build/win32 -L imports --output-on-failure

# The same unit tests once more under AddressSanitizer and UBSan.
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORL_SANITIZE=ON >/dev/null
cmake --build build/sanitize
run ctest --test-dir build/sanitize -j2 --output-on-failure -L unit

if [ -f fuzz/CMakeLists.txt ]; then
  run bash scripts/fuzz.sh "${QUORL_FUZZ_SECONDS:-60}"
fi

quorl_display
quorl_wine_prefix
case $quorl_wine32 in
  native) run ctest --preset win32 -LE imports --output-on-failure ;;
  emulated)
    echo "32-bit tests emulated: the cases only the 32-bit build can show (label emulated) and the package"
    run scripts/emulate32 ctest --preset win32 -L 'emulated|package' --output-on-failure ;;
  none)
    echo "32-bit tests skipped: $quorl_wine32_reason; the 64-bit build runs the whole suite instead"
    # The installer package installs, upgrades and is removed all the same; only the
    # game with the installed program waits for a machine that runs it.
    run ctest --test-dir build/win32 -L package --output-on-failure ;;
esac
run ctest --preset win64 --output-on-failure

exit $status
