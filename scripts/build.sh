#!/usr/bin/env bash
# Configures and builds one or more of the presets: native, win32, win64.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in "${@:-native win32 win64}"; do
  for p in $preset; do
    cmake --preset "$p" >/dev/null
    cmake --build --preset "$p"
  done
done
