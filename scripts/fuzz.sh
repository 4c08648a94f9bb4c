#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer under AddressSanitizer and UBSan, for
# 64-bit (build/fuzz) and 32-bit (build/fuzz32) code, then runs each for SECONDS seconds
# (default 60 in all), starting from the committed seed inputs in fuzz/corpus. The
# 32-bit target, there for the values that 32-bit code computes, is built without
# AddressSanitizer (the 64-bit one looks for memory faults): it runs under qemu's
# user-mode emulator where the kernel does not run 32-bit programs (scripts/run32),
# and AddressSanitizer's shadow memory is not reliable there. Usage:
# scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
common="-fno-sanitize-recover=all -fno-omit-frame-pointer"

build() {  # folder, sanitizers and extra flags
  CC=clang CXX=clang++ cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DQUORL_FUZZ=ON \
    -DCMAKE_C_FLAGS="$common $2" -DCMAKE_CXX_FLAGS="$common $2" \
    -DCMAKE_EXE_LINKER_FLAGS="$2" >/dev/null
  cmake --build "$1" --target convert_fuzz
}

run() {  # folder, seconds, launcher...
  local folder=$1 time=$2
  shift 2
  # New inputs go to the first folder, which is not committed.
  mkdir -p "$folder/corpus/convert"
  # A run that outlives its time by minutes hangs: it ends, and fails.
  timeout $((time + 120)) "$@" "$folder/fuzz/convert_fuzz" -max_total_time="$time" \
    -max_len=4096 -print_final_stats=1 "$folder/corpus/convert" fuzz/corpus/convert
}

build build/fuzz "-fsanitize=fuzzer-no-link,address,undefined"
build build/fuzz32 "-fsanitize=fuzzer-no-link,undefined -m32"
run build/fuzz $((seconds / 2))
run build/fuzz32 $((seconds - seconds / 2)) scripts/run32
