#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer under AddressSanitizer and UBSan in
# build/fuzz, then runs each for SECONDS seconds (default 60), starting from the
# committed seed inputs in fuzz/corpus. Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=OFF -DQUORL_FUZZ=ON \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build build/fuzz --target convert_fuzz

# New inputs go to the first folder, which is not committed.
mkdir -p build/fuzz/corpus/convert
build/fuzz/fuzz/convert_fuzz -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  build/fuzz/corpus/convert fuzz/corpus/convert
