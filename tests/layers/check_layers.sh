#!/usr/bin/env bash
# Includes follow the layers downwards only. A file belongs to the layer of the
# top-level folder that holds it, and may include from its own layer and the ones
# listed before it. Prints every include that reaches a layer above its file's and
# fails.
set -uo pipefail
root=${1:?usage: check_layers.sh SOURCE_ROOT}
cd "$root" || exit 2

# From the bottom up: the string table's identifiers, the base, the rules, the control
# library, the shell, the runtime replacements, the windows, the entry.
layers=(res base game controls app runtime forms entry)

# The position of the layer that holds a path in the list; nothing for a path outside
# every layer (a standard or system header).
rank_of() {
  local i
  for i in "${!layers[@]}"; do
    if [ "${1%%/*}" = "${layers[$i]}" ]; then echo "$i"; return; fi
  done
}

status=0
while IFS= read -r file; do
  rank=$(rank_of "$file")
  while IFS= read -r included; do
    included_rank=$(rank_of "$included")
    if [ -n "$included_rank" ] && [ "$included_rank" -gt "$rank" ]; then
      echo "$file (${layers[$rank]}) includes $included (${layers[$included_rank]})"
      status=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find "${layers[@]}" -name '*.h' -o -name '*.cpp' -o -name '*.in' | sort)
exit $status
