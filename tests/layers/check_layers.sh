#!/usr/bin/env bash
# Includes follow the layers downwards only. A file belongs to the layer of the
# top-level folder that holds it, and may include from its own layer and the ones
# listed before it, by the layer's folder ("game/rules.h"), never by climbing out of
# its own ("../game/rules.h"), which would pass any include folder. Prints every
# include that breaks this and fails.
set -uo pipefail
root=${1:?usage: check_layers.sh SOURCE_ROOT LAYER... (from the bottom up)}
shift
# From the bottom up, as the top-level CMakeLists.txt lists them (QUORL_LAYERS).
layers=("$@")
[ ${#layers[@]} -gt 0 ] || { echo "no layers given" >&2; exit 2; }
cd "$root" || exit 2
for layer in "${layers[@]}"; do
  [ -d "$layer" ] || { echo "layer $layer: no folder $root/$layer" >&2; exit 2; }
done

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
    case /$included/ in
      */../*) echo "$file includes $included, climbing out of its folder"; status=1; continue ;;
    esac
    included_rank=$(rank_of "$included")
    if [ -n "$included_rank" ] && [ "$included_rank" -gt "$rank" ]; then
      echo "$file (${layers[$rank]}) includes $included (${layers[$included_rank]})"
      status=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find "${layers[@]}" -name '*.h' -o -name '*.cpp' -o -name '*.in' | sort)
exit $status
