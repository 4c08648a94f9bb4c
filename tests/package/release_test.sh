#!/usr/bin/env bash
# The release (scripts/release.sh) of the commit checked out, built as someone else
# would build it: two clones in two folders, released under two time zones and umasks,
# must give the same files, which SHA256SUMS describes. Then a release signed with a
# throwaway certificate authority: osslsigncode accepts both signatures and refuses a
# file with one byte changed, the signature is all that differs from the unsigned
# program, and the signed package installs, plays a game and is removed under wine.
#
#   release_test.sh E2E_DRIVER_EXE WORK_DIR
#
# Only what is committed is released: commit before running it.
root=$(cd "$(dirname "$0")/../.." && pwd)
# Sourced before `set -e`: it probes the machine with commands that may fail.
source "$root/scripts/wine-env.sh"
source "$root/tests/package/common.sh"
set -euo pipefail
driver=$(realpath "${1:?end-to-end driver}")
work=${2:?work folder}
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

refused() { ! "$@"; }

rm -rf "$work" && mkdir -p "$work"
commit=$(git -C "$root" rev-parse HEAD)
version=$(git -C "$root" show "$commit:VERSION" | head -n 1)
msi=Quorl-$version.msi
zip=Quorl-$version-win32.zip

# --- Two releases of the commit, from two clones unlike each other in every way the
# outputs must not show.
one=$work/one/Quorl
two=$work/two/a/deeper/folder/Quorl
release() { # CLONE TZ UMASK [VARIABLE=VALUE...]: releases the commit in CLONE
  local clone=$1 tz=$2 mask=$3; shift 3
  mkdir -p "$(dirname "$clone")"
  (umask "$mask"
   [ -d "$clone" ] || { git clone -q "$root" "$clone" && git -C "$clone" checkout -q --detach "$commit"; }
   cd "$clone" && env -u SOURCE_DATE_EPOCH TZ="$tz" "$@" bash scripts/release.sh) >"$clone.log" 2>&1 || {
    tail -n 30 "$clone.log"; exit 1; }
}
started=$SECONDS
release "$one" UTC 022
echo "release from a clean clone: $((SECONDS - started)) s"
release "$two" Pacific/Kiritimati 077
for f in "$one"/dist/*; do echo "$(basename "$f"): $(stat -c %s "$f") bytes"; done

check "dist/ holds the package, the archive and SHA256SUMS" \
  test "$(LC_ALL=C ls "$one/dist" | tr '\n' ' ')" = "$zip $msi SHA256SUMS "
for f in "$msi" "$zip" SHA256SUMS; do
  check "$f is the same in both releases" cmp "$one/dist/$f" "$two/dist/$f"
done
check "sha256sum -c accepts SHA256SUMS" bash -c 'cd "$0" && sha256sum -c --quiet SHA256SUMS' "$one/dist"
check "an unsigned release says so" grep -q '^release: unsigned' "$one.log"

# The program as each artefact holds it.
unpack() { # DIST OUT
  mkdir -p "$2" && unzip -q -d "$2/zip" "$1/$zip" && msiextract -C "$2/msi" "$1/$msi" >/dev/null
}
unpack "$one/dist" "$work/unsigned"
unsigned_exe=$work/unsigned/zip/Quorl.exe
check "the archive holds Quorl.exe and LISEZMOI.txt" test "$(LC_ALL=C ls "$work/unsigned/zip" | tr '\n' ' ')" = "LISEZMOI.txt Quorl.exe "
check "the archive's Quorl.exe is the package's" cmp "$unsigned_exe" "$work/unsigned/msi/Program Files/Quorl/Quorl.exe"
lisezmoi=$(iconv -f CP1252 -t UTF-8 "$work/unsigned/zip/LISEZMOI.txt")
check "LISEZMOI.txt tells how to install silently, in code page 1252 with CRLF" \
  grep -qF $'msiexec /i '"$msi"$' /qn\r' <<<"$lisezmoi"

# --- A signed release, from a throwaway authority and code-signing certificate.
ca=$work/ca
mkdir -p "$ca"
(cd "$ca"
 openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Quorl test authority" \
   -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign
 openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=Quorl test signer"
 printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext
 openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile signer.ext -out signer.pem
 echo 'mot de passe' >password
 openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -passout file:password -out signer.p12
) >"$ca.log" 2>&1 || { cat "$ca.log"; exit 1; }
release "$one" Europe/Paris 022 QUORL_SIGN_PKCS12="$ca/signer.p12" QUORL_SIGN_PASSWORD_FILE="$ca/password"
check "a signed release does not say it is unsigned" refused grep -q '^release: unsigned' "$one.log"
unpack "$one/dist" "$work/signed"
signed_exe=$work/signed/zip/Quorl.exe
signed_msi=$one/dist/$msi
check "the signed archive's Quorl.exe is the signed package's" cmp "$signed_exe" "$work/signed/msi/Program Files/Quorl/Quorl.exe"

verify() { osslsigncode verify -CAfile "$ca/ca.pem" -in "$1" >>"$work/verify.log" 2>&1; }
# One byte changed in a part that the signature covers.
tampered() { # FILE TEXT_IN_IT: a copy with TEXT's first byte changed
  local copy=$work/tampered-$(basename "$1") at
  cp "$1" "$copy"
  at=$(grep -obaF "$2" "$copy" | head -n 1 | cut -d: -f1)
  printf X | dd of="$copy" bs=1 seek="$at" conv=notrunc 2>/dev/null
  echo "$copy"
}
while read -r name file text; do
  check "osslsigncode verify accepts the signed $name" verify "$file"
  check "osslsigncode verify refuses the signed $name with one byte changed" refused verify "$(tampered "$file" "$text")"
done <<EOF_TABLE
Quorl.exe $signed_exe requestedExecutionLevel
package $signed_msi le jeu du nombre
EOF_TABLE
osslsigncode remove-signature -in "$signed_exe" -out "$work/signature-removed.exe" >/dev/null
check "without its signature, the signed Quorl.exe is the unsigned one" cmp "$work/signature-removed.exe" "$unsigned_exe"

# --- The signed package installs silently, its program plays a game, and it is removed.
quorl_display
quorl_wine_prefix
find_install_dir
run_msiexec() { # ACTION
  local rc=0
  quorl_wine msiexec "$1" "Z:${signed_msi//\//\\}" /qn || rc=$?
  wineserver -w
  return $rc
}
run_msiexec /x >/dev/null 2>&1 || true
check "msiexec /i (signed $msi) /qn succeeds" run_msiexec /i
check "the installed Quorl.exe is the signed one" cmp "$install_dir/Quorl.exe" "$signed_exe"
check "the signed program plays one game to a win" \
  play_installed "$install_dir" "C:\\$program_files\\Quorl\\Quorl.exe" "$driver" "$work/shots"
check "msiexec /x (signed $msi) /qn succeeds" run_msiexec /x
check "the program's folder is gone" test ! -e "$install_dir"

if ((failures)); then
  echo "$failures check(s) failed; logs in $work"
  exit 1
fi
echo "all release checks passed"
