#!/usr/bin/env bash
# A build with nothing to do does nothing: configuring the built tree again and then
# asking the build what it would do (a dry run) must list no step. A generated file
# rewritten at every configure, even unchanged, would show here as work.
set -euo pipefail
source_dir=$1 build_dir=$2
cmake -S "$source_dir" -B "$build_dir" >/dev/null
steps=$(cmake --build "$build_dir" -- -n -d explain 2>&1)
if grep -q '^ninja: no work to do' <<<"$steps"; then
  echo "configured again: no work to do"
  exit 0
fi
echo "configured again, the build would still run (was the tree built first?):"
echo "$steps"
exit 1
