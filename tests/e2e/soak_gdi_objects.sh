#!/usr/bin/env bash
# Runs the soak test (the arguments: the wine launcher, the test program and its
# options) with wine's trace of GDI objects, which counts each process's live objects
# as they are created and deleted. Each soak line of the test gets the program's count
# at that moment; the run fails when the count grew by more than 5 from the 50th game
# (the first game for shorter runs) to the last: the first games still create the
# brushes and fonts kept for later ones.
set -uo pipefail
export WINEDEBUG=-all,trace+gdi,+pid
"$@" 2>&1 | awk '
  # "003c:0040:trace:gdi:alloc_gdi_handle allocated NTGDI_OBJ_BRUSH 0x1100020 1/65536":
  # the count after an allocation, the count before a deletion.
  /:trace:gdi:(alloc|free)_gdi_handle / {
    split($1, ids, ":"); split($NF, n, "/")
    live[ids[1]] = n[1] - ($2 == "freed" ? 1 : 0)
    next
  }
  /:trace:/ { next }
  /\[ soak     \] process / {
    pid = $5; games = $7
    $0 = $0 ", GDI objects by wine trace " live[pid]
    if (games == 1 || games == 50) first = live[pid]
    last = live[pid]; last_games = games
  }
  { print; fflush() }
  END {
    if (first != "" && last > first + 5) {
      print "GDI objects grew from " first " to " last " (" last_games " games)"; exit 1
    }
  }'
