#!/usr/bin/env bash
# Start-up benchmark: Quorl against two yardsticks, all started the same way under the
# same wine, for the 32-bit build (the program as shipped) and the 64-bit build:
#   minimal    the least a program does to show a window (the end-to-end tests' other
#              program: one class, one window, a message loop);
#   same-work  a plain program that shows what Quorl's first screen shows (common
#              controls loaded, a maximised window painting the same 800x600 picture
#              from its resources, an edit box focused).
# Prints the figures; checks nothing. Where this machine's kernel does not run 32-bit
# programs (emulated by qemu, or not at all), the 32-bit round is skipped and says why.
# Usage: bench/startup/run.sh [runs] [idle seconds]; QUORL_WIN32_EXE and QUORL_WIN64_EXE
# pick other builds of Quorl.exe.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
out=build/bench-startup
mkdir -p "$out"
source scripts/wine-env.sh

flags=(-std=c++17 -O2 -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -static -s)
declare -A triplet=([32]=i686-w64-mingw32 [64]=x86_64-w64-mingw32)
declare -A quorl=([32]=${QUORL_WIN32_EXE:-build/win32/app/Quorl.exe}
                  [64]=${QUORL_WIN64_EXE:-build/win64/app/Quorl.exe})

build() {
  local bits=$1 cxx=${triplet[$1]}-g++-posix
  [ -f "${quorl[$bits]}" ] || cmake --build --preset "win$bits" --target Quorl
  "$cxx" "${flags[@]}" -mwindows tests/e2e/other_window.cpp -o "$out/minimal$bits.exe"
  "${triplet[$bits]}-windres" -I res bench/startup/same_work.rc -o "$out/same_work$bits.res.o"
  "$cxx" "${flags[@]}" -mwindows bench/startup/same_work.cpp "$out/same_work$bits.res.o" \
    -o "$out/same-work$bits.exe" -lcomctl32
  "$cxx" "${flags[@]}" bench/startup/startup_bench.cpp -o "$out/startup_bench$bits.exe" -lpsapi
}

winpath() { case $1 in /*) echo "Z:$1" ;; *) echo "Z:$root/$1" ;; esac; }

quorl_display
quorl_wine_prefix
for bits in 32 64; do
  build "$bits"
  echo "== $bits-bit"
  if [ "$bits" = 32 ] && [ "$quorl_wine32" = emulated ]; then
    echo "not run: 32-bit programs run only under qemu here, whose start-up times say nothing of Quorl's"
    continue
  elif [ "$bits" = 32 ] && [ "$quorl_wine32" = none ]; then
    echo "not run: $quorl_wine32_reason"
    continue
  fi
  quorl_wine "$out/startup_bench$bits.exe" "$(winpath "${quorl[$bits]}")" \
    "$(winpath "$out/same-work$bits.exe")" "$(winpath "$out/minimal$bits.exe")" \
    --runs "${1:-15}" --idle "${2:-10}"
done

echo "executable sizes:"
for f in "${quorl[32]}" "${quorl[64]}" "$out"/same-work*.exe "$out"/minimal*.exe; do
  if [ -f "$f" ]; then printf '  %-36s %9d bytes\n' "$f" "$(stat -c %s "$f")"; fi
done
