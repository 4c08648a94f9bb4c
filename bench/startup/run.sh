#!/usr/bin/env bash
# Start-up benchmark: Quorl against two yardsticks, all started the same way under the
# same wine, for the 32-bit build (the program as shipped) and the 64-bit build:
#   minimal    the least a program does to show a window (the end-to-end tests' other
#              program: one class, one window, a message loop);
#   same-work  a plain program that shows what Quorl's first screen shows (common
#              controls loaded, a maximised window painting the same 800x600 picture
#              from its resources, an edit box focused);
#   same-windows  a plain program that does the work Quorl's start-up order makes any
#              program do (the application window, the main window with the same
#              controls, pictures and button glyphs, shown maximised, the guess box
#              focused), with the same phase stamps as Quorl.
# Prints the figures and the phases; checks nothing. Where this machine's kernel does not run 32-bit
# programs (emulated by qemu, or not at all), the 32-bit round is skipped and says why.
# Usage: bench/startup/run.sh [runs] [idle seconds]; QUORL_WIN32_EXE and QUORL_WIN64_EXE
# pick other builds of Quorl.exe.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
source scripts/wine-env.sh

declare -A quorl=([32]=${QUORL_WIN32_EXE:-build/win32/app/Quorl.exe}
                  [64]=${QUORL_WIN64_EXE:-build/win64/app/Quorl.exe})

# The driver and the yardsticks are targets of the Windows builds.
build() {
  local bits=$1
  [ -f "build/win$bits/build.ninja" ] || cmake --preset "win$bits" >/dev/null
  cmake --build --preset "win$bits" --target Quorl startup_bench >/dev/null
  bin=build/win$bits
}

winpath() { case $1 in /*) echo "Z:$1" ;; *) echo "Z:$root/$1" ;; esac; }

quorl_display
quorl_wine_prefix
for bits in 32 64; do
  echo "== $bits-bit"
  if [ "$bits" = 32 ] && [ "$quorl_wine32" = emulated ]; then
    echo "not run: 32-bit programs run only under qemu here, whose start-up times say nothing of Quorl's"
    continue
  elif [ "$bits" = 32 ] && [ "$quorl_wine32" = none ]; then
    echo "not run: $quorl_wine32_reason"
    continue
  fi
  build "$bits"
  quorl_wine "$bin/bench/startup/startup_bench.exe" "$(winpath "${quorl[$bits]}")" \
    "$(winpath "$bin/bench/startup/same_windows.exe")" "$(winpath "$bin/bench/startup/same_work.exe")" \
    "$(winpath "$bin/tests/e2e/e2e_other_window.exe")" --runs "${1:-15}" --idle "${2:-10}"
done

echo "executable sizes:"
for f in "${quorl[32]}" "${quorl[64]}" build/win*/bench/startup/same_*.exe; do
  if [ -f "$f" ]; then printf '  %-36s %9d bytes\n' "$f" "$(stat -c %s "$f")"; fi
done
