#!/usr/bin/env bash
# Checks the program's weight from the executable and the linker's map of it:
#   - its size is at most LIMIT bytes (0: no limit);
#   - none of the runtime library's members that the program keeps out is linked: the
#     name demangler and the default terminate handler that uses it, the older string
#     type and the standard error classes built on it, the library's error raisers.
# Usage: check_size.sh Quorl.exe Quorl.map LIMIT
set -uo pipefail
exe=$1 map=$2 limit=$3
passed=0 failed=0
check() {  # condition-status message
  if [ "$1" -eq 0 ]; then echo "ok   $2"; passed=$((passed + 1)); else echo "FAIL $2"; failed=$((failed + 1)); fi
}

size=$(stat -c %s "$exe")
if [ "$limit" -gt 0 ]; then
  [ "$size" -le "$limit" ]; check $? "$(basename "$exe") is $size bytes, at most $limit"
else
  echo "     $(basename "$exe") is $size bytes"
fi

# The map's first part lists each archive member that the link took, and why.
members=$(sed -n '/^Archive member included/,/^Memory Configuration/p' "$map" | grep -o '([a-z_-]*\.o)$' | sort -u)
for unwanted in cp-demangle.o vterminate.o cow-string-inst.o cow-stdexcept.o functexcept.o; do
  ! printf '%s\n' "$members" | grep -qx "($unwanted)"; check $? "$unwanted not linked"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
