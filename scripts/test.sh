#!/usr/bin/env bash
# Builds everything and runs every test: installs what is missing, builds the three
# presets, runs the native tests (plain and under the sanitizers), a bounded fuzz run,
# then the Windows tests and the end-to-end tests under wine in Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh native win32 win64

status=0
run() { echo "== $*"; "$@" || status=1; }

run ctest --preset native -j2
# The shipped 32-bit build cannot run here; check that it links statically.
run ctest --test-dir build/win32 -L imports --output-on-failure

# The same unit tests once more under AddressSanitizer and UBSan.
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORL_SANITIZE=ON >/dev/null
cmake --build build/sanitize
run ctest --test-dir build/sanitize -j2 --output-on-failure -L unit

if [ -f fuzz/CMakeLists.txt ]; then
  run bash scripts/fuzz.sh "${QUORL_FUZZ_SECONDS:-60}"
fi

source scripts/wine-env.sh
quorl_display
quorl_wine_prefix
run ctest --preset win64 --output-on-failure

exit $status
