#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the builds and tests need and the machine
# lacks. Safe to run again: it does nothing, not even `apt-get update`, when everything
# is there.
#
# It rides over an archive caught mid-sync: an index that still fails after apt's own
# retries is named and left out, and an install that then cannot be resolved (the
# amd64 libraries from one suite, their i386 twins missing from its failed index) is
# tried once more with every package, both architectures, from the release's own suite.
# When that fails too it says what is missing and stops with a non-zero status.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format-14
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
  googletest libbenchmark-dev
  wine wine64 wine32:i386 fonts-wine xvfb xauth xdotool x11-utils imagemagick
  g++-multilib qemu-user libmpfr-dev libmpfr-dev:i386 librsvg2-bin fonts-comic-neue python3 python3-pil locales
  wixl msitools gir1.2-libmsi-1.0 python3-gi osslsigncode openssl zip unzip
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
apt_get() { DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get "$@"; }

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# The shipped program is 32-bit: wine32 and the 32-bit native tests need i386 packages.
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

mapfile -t missing < <(missing_packages)
if ((${#missing[@]})); then
  echo "deps: installing ${missing[*]}"
  need_update=1
fi

if ((need_update)); then
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  if ! apt_get update -q -o Acquire::Retries=3 2>&1 | tee "$log"; then
    # apt names each index it could not fetch on an "E: Failed to fetch URL ..." line.
    failed=$(sed -n 's/^E: Failed to fetch \([^ ]*\).*/\1/p' "$log" | sort -u | tr '\n' ' ')
    echo "deps: some package lists could not be updated (${failed% }); going on with those that arrived"
  fi
fi

if ((${#missing[@]})); then
  if ! apt_get install -y -q --no-install-recommends "${missing[@]}"; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    echo "deps: the install could not be resolved; trying again with every package from the release's own suite ($codename)"
    apt_get install -y -q --no-install-recommends -t "$codename" "${missing[@]}" || true
  fi
  mapfile -t still < <(missing_packages)
  if ((${#still[@]})); then
    echo "deps: could not install ${still[*]}: the package archive may be in the middle of an update; run this again later" >&2
    exit 1
  fi
fi

# The end-to-end tests run the program under a French and an English locale, which
# wine takes from LC_ALL; both must exist on the machine.
for l in fr_FR en_US; do
  if ! locale -a 2>/dev/null | grep -qix "$l.utf-\?8"; then
    "${sudo_cmd[@]}" localedef -i "$l" -f UTF-8 "$l.UTF-8"
  fi
done
