#!/usr/bin/env bash
# Builds everything and runs every test: installs what is missing, builds the four
# presets, runs the native tests (64-bit, 32-bit, and under the sanitizers), a bounded
# fuzz run of both, the static-import check of the Windows programs, then the shipped
# 32-bit program's whole suite under 32-bit wine in Xvfb, and the 64-bit build's unit
# tests and one whole game under wine64. Where this machine cannot run 32-bit Windows
# programs, it says so in one line and the 64-bit build runs the whole suite instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
source scripts/wine-env.sh

full64=OFF
[ -z "$quorl_wine32_reason" ] || full64=ON
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
if [ -z "$quorl_wine32_reason" ]; then
  run ctest --preset win32 -LE imports --output-on-failure
else
  echo "32-bit tests skipped: $quorl_wine32_reason; the 64-bit build runs the whole suite instead"
  # The installer package installs, upgrades and is removed all the same; only the
  # game with the installed program waits for a machine that runs it.
  run ctest --test-dir build/win32 -L package --output-on-failure
fi
run ctest --preset win64 --output-on-failure

exit $status
