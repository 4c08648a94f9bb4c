#!/usr/bin/env bash
# The house style: applies .clang-format to the project's C++ sources. With --check it
# changes nothing and fails on any file that differs (the `format` test runs it so).
# Debian 12's clang-format-14, which scripts/deps.sh installs: other versions lay some
# lines out differently.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${QUORL_CLANG_FORMAT:-clang-format-14}
command -v "$clang_format" >/dev/null || { echo "$clang_format not found: bash scripts/deps.sh installs it" >&2; exit 1; }
# game/power_tables.h is kept as tools/power_tables.py writes it.
mapfile -t files < <(git ls-files '*.cpp' '*.h' ':!game/power_tables.h')
if [ "${1:-}" = --check ]; then
  "$clang_format" --dry-run -Werror "${files[@]}"
else
  "$clang_format" -i "${files[@]}"
fi
