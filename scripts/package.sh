#!/usr/bin/env bash
# Builds the 32-bit program and its Windows Installer package with wixl:
# build/package/Quorl-<version>.msi, the version being the one in the file VERSION.
#   --version X.Y.Z  packages another version instead: the program is built again with
#                    that number, in build/package/win32-X.Y.Z (used to test upgrades)
#   --out DIR        writes the package into DIR instead of build/package
#   --exe FILE       packages this Quorl.exe (a signed one, for a release) instead of
#                    building the program
# The package's path is the last line printed.
#
# The same inputs give the same package byte for byte: wixl's own random and clock
# values are replaced afterwards (package/summary_info.py), the times come from
# SOURCE_DATE_EPOCH, which is the commit's time unless the caller sets it.
set -euo pipefail
cd "$(dirname "$0")/.."

# Fixed for ever: it ties every version of Quorl together, so that a newer one
# replaces an older one.
readonly upgrade_code=8ED3AA45-F874-4EA5-B3E2-C6111C9FA815

usage() { echo "usage: scripts/package.sh [--version X.Y.Z] [--out DIR] [--exe FILE]" >&2; exit 2; }
version=$(head -n 1 VERSION)
committed=$version
out=build/package
exe=
while (($#)); do
  case $1 in
    --version) (($# >= 2)) || usage; version=$2; shift 2 ;;
    --out) (($# >= 2)) || usage; out=$2; shift 2 ;;
    --exe) (($# >= 2)) || usage; exe=$2; shift 2 ;;
    *) usage ;;
  esac
done

# The version names a build folder: digits and dots only. CMake checks its limits.
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "package: bad version \"$version\"" >&2; usage; }

command -v wixl >/dev/null && /usr/bin/python3 -c 'import gi; gi.require_version("Libmsi", "1.0")' 2>/dev/null ||
  bash scripts/deps.sh

if [ -z "$exe" ]; then
  if [ "$version" = "$committed" ]; then
    build=build/win32
    [ -f "$build/build.ninja" ] || cmake --preset win32 >/dev/null
  else
    build=build/package/win32-$version
    cmake --preset win32 -B "$build" -DQUORL_VERSION="$version" -DBUILD_TESTING=OFF >/dev/null
  fi
  cmake --build "$build" --target Quorl
  exe=$build/app/Quorl.exe
fi
[ -f "$exe" ] || { echo "package: no program $exe" >&2; exit 1; }

# The package's codes are name-based UUIDs under the upgrade code.
code_for() { /usr/bin/python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$upgrade_code" "$1"; }
# One product code per version, the same at every build of it: installing a version
# again finds it installed instead of adding a second entry.
product_code=$(code_for "$version")
# One package code per version and commit: Windows Installer tells packages apart by
# it, and wixl would draw a new one at every run.
package_code={$(code_for "$version/$(git rev-parse HEAD 2>/dev/null || echo none)")}
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}

# wixl gives the cabinet's copy of the program the file's modification time (as UTC):
# it packages a copy dated SOURCE_DATE_EPOCH, leaving the build's own file alone.
# wixl finds its files by relative paths only.
mkdir -p "$out" build
stage=$(mktemp -d build/package-stage.XXXXXX)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/Quorl.exe"
touch -d "@$SOURCE_DATE_EPOCH" "$stage/Quorl.exe"
msi=$out/Quorl-$version.msi
wixl --arch x86 -D Version="$version" -D UpgradeCode="$upgrade_code" \
  -D ProductCode="$product_code" -D Exe="$stage/Quorl.exe" -D Icon=res/quorl.ico \
  -o "$stage/wixl.msi" package/quorl.wxs
/usr/bin/python3 package/summary_info.py "$stage/wixl.msi" "$msi" "$package_code" "$SOURCE_DATE_EPOCH"
echo "$(realpath "$msi")"
