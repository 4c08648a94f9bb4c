#!/usr/bin/env bash
# Builds the 32-bit program and its Windows Installer package with wixl:
# build/package/Quorl-<version>.msi, the version being the one in the file VERSION.
#   --version X.Y.Z  packages another version instead: the program is built again with
#                    that number, in build/package/win32-X.Y.Z (used to test upgrades)
#   --out DIR        writes the package into DIR instead of build/package
# The package's path is the last line printed.
set -euo pipefail
cd "$(dirname "$0")/.."

# Fixed for ever: it ties every version of Quorl together, so that a newer one
# replaces an older one.
readonly upgrade_code=8ED3AA45-F874-4EA5-B3E2-C6111C9FA815

usage() { echo "usage: scripts/package.sh [--version X.Y.Z] [--out DIR]" >&2; exit 2; }
version=$(head -n 1 VERSION)
committed=$version
out=build/package
while (($#)); do
  case $1 in
    --version) (($# >= 2)) || usage; version=$2; shift 2 ;;
    --out) (($# >= 2)) || usage; out=$2; shift 2 ;;
    *) usage ;;
  esac
done

# The version names a build folder: digits and dots only. CMake checks its limits.
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "package: bad version \"$version\"" >&2; usage; }

command -v wixl >/dev/null || bash scripts/deps.sh

if [ "$version" = "$committed" ]; then
  build=build/win32
  [ -f "$build/build.ninja" ] || cmake --preset win32 >/dev/null
else
  build=build/package/win32-$version
  cmake --preset win32 -B "$build" -DQUORL_VERSION="$version" -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build" --target Quorl

# One product code per version, the same at every build of it: installing a version
# again finds it installed instead of adding a second entry.
product_code=$(/usr/bin/python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$upgrade_code" "$version")

mkdir -p "$out"
msi=$out/Quorl-$version.msi
wixl --arch x86 -D Version="$version" -D UpgradeCode="$upgrade_code" \
  -D ProductCode="$product_code" -D Exe="$build/app/Quorl.exe" -D Icon=res/quorl.ico \
  -o "$msi" package/quorl.wxs
echo "$(realpath "$msi")"
