#!/usr/bin/env bash
# Includes follow the layers downwards only: rules (game/) <- control library
# (forms/controls/) <- shell (app/) <- windows (forms/) <- entry (app/startup.cpp,
# app/essaiquorl.cpp). res/strings.h, the identifiers of the string table, is below
# them all. Prints every include that reaches a layer above its file's and fails.
set -uo pipefail
root=${1:?usage: check_layers.sh SOURCE_ROOT}
cd "$root" || exit 2

# The folders each layer may include from (besides the standard and system headers).
allowed() {
  case $1 in
    game) echo "game/ res/strings.h" ;;
    controls) echo "game/ res/strings.h forms/controls/" ;;
    shell) echo "game/ res/strings.h forms/controls/ app/" ;;
    windows) echo "game/ res/strings.h forms/controls/ app/ forms/" ;;
  esac
}

layer_of() {
  case $1 in
    game/*) echo game ;;
    forms/controls/*) echo controls ;;
    app/startup.*|app/essaiquorl.cpp) echo entry ;;
    app/*) echo shell ;;
    forms/*) echo windows ;;
  esac
}

status=0
while IFS= read -r file; do
  layer=$(layer_of "$file")
  [ "$layer" = entry ] && continue
  # The entry's own header is the one file of app/ that the shell may not include.
  while IFS= read -r included; do
    ok=0
    for prefix in $(allowed "$layer"); do
      case $included in "$prefix"*) ok=1 ;; esac
    done
    case $included in app/startup.h) ok=0 ;; esac
    if [ $ok -eq 0 ]; then
      echo "$file ($layer) includes $included"
      status=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find game forms app -name '*.h' -o -name '*.cpp' -o -name '*.in' | sort)
exit $status
