#!/usr/bin/env bash
# Writes the release of the version in VERSION into dist/:
#   Quorl-<version>.msi        the installer package (scripts/package.sh)
#   Quorl-<version>-win32.zip  Quorl.exe and LISEZMOI.txt, for machines where nothing
#                              may be installed
#   SHA256SUMS                 their checksums, as `sha256sum -c` reads them
# The same commit gives the same files byte for byte, wherever, whenever and by whomever
# it is built: the program is built afresh in build/release, every time stamp is
# SOURCE_DATE_EPOCH (the commit's time unless the caller sets it), and nothing reads
# the time zone, the umask or the folder.
#
# Signing: with QUORL_SIGN_PKCS12 (a PKCS#12 file holding the certificate and its key)
# and QUORL_SIGN_PASSWORD_FILE (a file holding its password), Quorl.exe is signed
# before it goes into the package and the archive, and the package once it is built.
#   --timestamp URL  has the signatures time-stamped by this RFC 3161 server
set -euo pipefail
# The certificate's files may be named relative to the caller's folder.
for v in QUORL_SIGN_PKCS12 QUORL_SIGN_PASSWORD_FILE; do
  [ -z "${!v:-}" ] || export "$v=$(realpath -m "${!v}")"
done
cd "$(dirname "$0")/.."

usage() { echo "usage: scripts/release.sh [--timestamp URL]" >&2; exit 2; }
timestamp=()
while (($#)); do
  case $1 in
    --timestamp) (($# >= 2)) || usage; timestamp=(-ts "$2"); shift 2 ;;
    *) usage ;;
  esac
done

signing=0
if [ -n "${QUORL_SIGN_PKCS12:-}" ] || [ -n "${QUORL_SIGN_PASSWORD_FILE:-}" ]; then
  for f in "${QUORL_SIGN_PKCS12:-}" "${QUORL_SIGN_PASSWORD_FILE:-}"; do
    [ -f "$f" ] || { echo "release: QUORL_SIGN_PKCS12 and QUORL_SIGN_PASSWORD_FILE must both name files" >&2; exit 1; }
  done
  signing=1
fi

# A release is made of a commit: what is not committed would not be made again.
if [ -n "$(git status --porcelain)" ]; then
  echo "release: the working tree has changes that are not committed:" >&2
  git status --short >&2
  exit 1
fi

bash scripts/deps.sh
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export TZ=UTC LC_ALL=C
umask 022
version=$(head -n 1 VERSION)

work=build/release
rm -rf "$work" dist
mkdir -p "$work/stage" dist
cmake --preset win32 -B "$work/win32" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$work/win32" --target Quorl
exe=$work/stage/Quorl.exe
cp "$work/win32/app/Quorl.exe" "$exe"

sign() { # FILE: Authenticode-signs it in place
  osslsigncode sign -pkcs12 "$QUORL_SIGN_PKCS12" -readpass "$QUORL_SIGN_PASSWORD_FILE" \
    -h sha256 -n Quorl "${timestamp[@]}" -in "$1" -out "$1.signed" >/dev/null
  mv "$1.signed" "$1"
}
if ((signing)); then sign "$exe"; fi

msi=$(bash scripts/package.sh --exe "$exe" --out "$work" | tail -n 1)
if ((signing)); then sign "$msi"; fi
cp "$msi" dist/

# Windows' Notepad shows the French text as the program does: code page 1252, CRLF.
sed "s/@VERSION@/$version/g" package/LISEZMOI.txt | iconv -f UTF-8 -t CP1252 | sed 's/$/\r/' \
  >"$work/stage/LISEZMOI.txt"
# zip stores each file's mode and its modification time as local time: both fixed,
# and no extra fields (owner, other times).
chmod 644 "$work/stage/"*
touch -d "@$SOURCE_DATE_EPOCH" "$work/stage/"*
zip_file=$PWD/dist/Quorl-$version-win32.zip
(cd "$work/stage" && zip -q -X "$zip_file" Quorl.exe LISEZMOI.txt)

(cd dist && sha256sum -- * >SHA256SUMS)
for f in dist/*; do echo "$f $(stat -c %s "$f") bytes"; done
((signing)) || echo "release: unsigned (no certificate: QUORL_SIGN_PKCS12 and QUORL_SIGN_PASSWORD_FILE are not set)"
