#!/usr/bin/env bash
# Start-up benchmark: Quorl (win64 build) against a minimal window program, both
# started the same way under the same wine. Prints the figures; checks nothing.
# Usage: bench/startup/run.sh [runs] [idle seconds]; QUORL_EXE and QUORL_WIN32_EXE
# pick other builds of Quorl.exe.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
out=build/bench-startup
mkdir -p "$out"
quorl=${QUORL_EXE:-build/win64/app/Quorl.exe}
[ -f "$quorl" ] || cmake --build --preset win64 --target Quorl
case $quorl in /*) ;; *) quorl=$root/$quorl ;; esac

flags=(-std=c++17 -O2 -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -static -s)
# The yardstick: the least a program does to show a window (register a class, create
# and show one window, run a message loop), the end-to-end tests' other program.
x86_64-w64-mingw32-g++-posix "${flags[@]}" -mwindows tests/e2e/other_window.cpp -o "$out/minimal.exe"
x86_64-w64-mingw32-g++-posix "${flags[@]}" bench/startup/startup_bench.cpp -o "$out/startup_bench.exe" -lpsapi

source scripts/wine-env.sh
quorl_display
quorl_wine_prefix

wine "$out/startup_bench.exe" "Z:$root/$out/minimal.exe" "Z:$quorl" "${1:-15}" "${2:-10}"

echo "executable sizes:"
for f in "$out/minimal.exe" "$quorl" "${QUORL_WIN32_EXE:-build/win32/app/Quorl.exe}"; do
  if [ -f "$f" ]; then printf '  %-32s %9d bytes\n' "$f" "$(stat -c %s "$f")"; fi
done
