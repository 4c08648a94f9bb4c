#!/usr/bin/env bash
# Fails when a Windows executable imports a DLL that is not part of Windows itself:
# the program and its tests must run from a bare copy, with no runtime DLLs beside them.
# The program itself imports only the five libraries it needs at start-up: COM, MSAA
# and UI Automation it loads when a screen reader first asks, so a static import of
# them fails here too.
set -uo pipefail
objdump=$1; shift
program='^(kernel32|user32|gdi32|comctl32|msvcrt)\.dll$'
tests='^(kernel32|user32|gdi32|comctl32|advapi32|shell32|ole32|oleaut32|oleacc|msvcrt|comdlg32|version|psapi|imm32|uxtheme|winmm|ws2_32|ntdll)\.dll$'
passed=0 failed=0
for exe in "$@"; do
  allowed=$tests
  [ "$(basename "$exe")" != Quorl.exe ] || allowed=$program
  dlls=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  if [ -z "$dlls" ]; then
    echo "FAIL $exe: no import table found"; failed=$((failed + 1)); continue
  fi
  bad=$(printf '%s\n' "$dlls" | grep -Ev "$allowed" || true)
  if [ -n "$bad" ]; then
    echo "FAIL $exe imports:" $bad; failed=$((failed + 1))
  else
    echo "ok   $exe:" $dlls; passed=$((passed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
