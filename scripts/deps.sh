#!/usr/bin/env bash
# Installs, from Debian's archive, whatever the builds and tests need and the machine
# lacks. Safe to run again: it does nothing when everything is there.
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

# The shipped program is 32-bit: wine32 and the 32-bit native tests need i386 packages.
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "deps: installing ${missing[*]}"
  need_update=1
fi
if ((need_update)); then
  "${sudo_cmd[@]}" apt-get update -q
fi
if ((${#missing[@]})); then
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The end-to-end tests run the program under a French and an English locale, which
# wine takes from LC_ALL; both must exist on the machine.
for l in fr_FR en_US; do
  if ! locale -a 2>/dev/null | grep -qix "$l.utf-\?8"; then
    "${sudo_cmd[@]}" localedef -i "$l" -f UTF-8 "$l.UTF-8"
  fi
done
