#!/usr/bin/env bash
# Writes the end-to-end tests' reference pictures again, from what the 64-bit build
# shows on this machine, into tests/e2e/references/ (with the versions of wine and the
# fonts that drew them). A person looks at every new picture before it is committed.
set -euo pipefail
cd "$(dirname "$0")/.."
new=$PWD/build/new-references
rm -rf "$new"
cmake --preset win64 -DQUORL_E2E_FULL=ON >/dev/null
cmake --build --preset win64
QUORL_E2E_UPDATE_REFERENCES=$new ctest --preset win64 -L e2e -E 'e2e_soak|e2e_shots' \
  --output-on-failure
/usr/bin/python3 tests/e2e/references.py pack "$new" tests/e2e/references
git status --short tests/e2e/references
echo "Look at each new picture (tests/e2e/references/*.png) before committing it."
