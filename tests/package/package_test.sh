#!/usr/bin/env bash
# The installer package under wine, deployed the way a school deploys it
# (msiexec /qn): install, and install the same version again; play the installed
# program; install a newer version over it; try the older one again, which must change
# nothing; remove it. After each step the test compares what is on the wine drive and
# in the registry with what was there before.
#
#   package_test.sh BUILT_QUORL_EXE E2E_DRIVER_EXE WORK_DIR
#
# The program is played from its installed place by the end-to-end driver, which
# needs a machine that runs 32-bit programs, natively or emulated; elsewhere that one
# step is skipped.
root=$(cd "$(dirname "$0")/../.." && pwd)
# Sourced before `set -e`: it probes the machine with commands that may fail.
source "$root/scripts/wine-env.sh"
source "$root/tests/package/common.sh"
set -euo pipefail
built_exe=$(realpath "${1:?built Quorl.exe}")
driver=$(realpath "${2:?end-to-end driver}")
work=${3:?work folder}
# The shortcut stays inside the prefix: no menu entry on the Linux desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
quorl_display
quorl_wine_prefix

# Z:\ path of a Unix path.
windows() { local p=${1//\//\\}; echo "Z:$p"; }
# A GUID as Windows Installer keys its registry entries: each group reversed, and the
# last eight bytes with their two hexadecimal digits swapped.
packed() {
  local g=${1//[\{\}-]/} out i
  out=$(rev <<<"${g:0:8}")$(rev <<<"${g:8:4}")$(rev <<<"${g:12:4}")
  for ((i = 16; i < 32; i += 2)); do out+=${g:i+1:1}${g:i:1}; done
  echo "$out"
}
msi_property() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v p="$2" '$1 == p { print $2 }'; }

rm -rf "$work" && mkdir -p "$work"

# --- The two packages: this version, and the next one built from the same sources.
version=$(head -n 1 "$root/VERSION")
IFS=. read -r major minor build <<<"$version"
newer=$major.$minor.$((build + 1))
package() { bash "$root/scripts/package.sh" "$@" --out "$work/packages" >>"$work/package.log" 2>&1 || {
  tail -n 30 "$work/package.log" >&2; exit 1; }; tail -n 1 "$work/package.log"; }
older_msi=$(package)
newer_msi=$(package --version "$newer")
newer_exe=$root/build/package/win32-$newer/app/Quorl.exe
older_code=$(msi_property "$older_msi" ProductCode)
newer_code=$(msi_property "$newer_msi" ProductCode)
upgrade_code=$(msi_property "$older_msi" UpgradeCode)
echo "packages: $(basename "$older_msi") $(stat -c %s "$older_msi") bytes $older_code," \
  "$(basename "$newer_msi") $(stat -c %s "$newer_msi") bytes $newer_code"
check "the newer package keeps the upgrade code" test "$(msi_property "$newer_msi" UpgradeCode)" = "$upgrade_code"
check "each version has its own product code" test "$older_code" != "$newer_code"

# --- Where things land.
find_install_dir
installed_exe=$install_dir/Quorl.exe
installed_exe_windows="C:\\$program_files\\Quorl\\Quorl.exe"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

shortcuts() { find "$drive_c" -path '*/Start Menu/Programs/Quorl.lnk'; }
# The values of a registry key as NAME<TAB>DATA lines, nothing when it is missing;
# the uninstall entries of a 32-bit package are in the 32-bit view.
reg_values() {
  { quorl_wine reg query "$1" /reg:32 2>/dev/null || true; } | tr -d '\r' |
    awk '/^    / { sub(/^    /, ""); n = $1; sub(/^[^ ]+ +REG_[A-Z_]+ */, ""); print n "\t" $0 }'
}
reg_value() { reg_values "$1" | awk -F'\t' -v n="$2" '$1 == n { print $2 }'; }
# Installed-programs entries named Quorl in a snapshot.
quorl_entries() { grep -cE '\\CurrentVersion\\Uninstall\\[^\\]+\]'$'\t''"DisplayName"="Quorl"$' "$work/$1.registry" || true; }

# The wine drive's paths and the Software keys of both hives, one line per key and one
# per value (the key in front), so that two snapshots compare line by line.
snapshot() {
  (cd "$drive_c" && find . | LC_ALL=C sort) >"$work/$1.files"
  : >"$work/$1.registry"
  local hive
  for hive in HKLM HKCU; do
    quorl_wine reg export "$hive\\Software" "$(windows "$work/$1.$hive.reg")" /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$work/$1.$hive.reg" | tr -d '\r' |
      awk '/\\$/ { sub(/\\$/, ""); sub(/^ +/, ""); held = held $0; next }
           { line = held $0; held = ""; sub(/^ +/, "", line) }
           line ~ /^\[/ { key = line; print key; next }
           line != "" && line !~ /^Windows Registry/ { print key "\t" line }' |
      # Wine lists the bitmap fonts it finds here when a new prefix first draws text:
      # its own bookkeeping, not the installer's.
      grep -vF '\Microsoft\Windows\CurrentVersion\Fonts]' >>"$work/$1.registry" || true
    rm "$work/$1.$hive.reg"
  done
  LC_ALL=C sort -o "$work/$1.registry" "$work/$1.registry"
}
added() { LC_ALL=C comm -13 "$work/$1.$3" "$work/$2.$3"; }
removed() { LC_ALL=C comm -23 "$work/$1.$3" "$work/$2.$3"; }
# What snapshot $2 has and $1 has not: paths, then registry keys with their number of values.
changes() {
  added "$1" "$2" files
  added "$1" "$2" registry | awk -F'\t' '{ n[$1] += (NF > 1) } END { for (k in n) print k, n[k], "values" }' |
    LC_ALL=C sort
}

run_msiexec() { # ACTION MSI LOG: returns msiexec's exit code
  local rc=0
  quorl_wine msiexec "$1" "$(windows "$2")" /qn /l*v "$(windows "$work/$3.log")" || rc=$?
  quorl_wineserver -w
  return $rc
}

# Everything that refers to the product: its name, its codes plain and packed.
identifiers="quorl|${older_code//[\{\}]/}|${newer_code//[\{\}]/}|${upgrade_code//[\{\}]/}"
identifiers+="|$(packed "$older_code")|$(packed "$newer_code")|$(packed "$upgrade_code")"

# A package left installed by an interrupted run is removed first.
for msi in "$newer_msi" "$older_msi"; do run_msiexec /x "$msi" leftover >/dev/null 2>&1 || true; done

# --- Install.
snapshot before
check "msiexec /i $(basename "$older_msi") /qn succeeds" run_msiexec /i "$older_msi" install
snapshot installed
echo "--- install created:"; changes before installed
check "the installed Quorl.exe is byte-identical to the build" cmp -s "$installed_exe" "$built_exe"
# The version block's texts are UTF-16.
version_block_says() { strings -a -el "$1" | grep -A1 -x ProductVersion | grep -qx "$2"; }
check "its version block says $version" version_block_says "$installed_exe" "$version"
check "the program's folder holds Quorl.exe alone" test "$(ls -A "$install_dir")" = Quorl.exe
check "the files added are the program, its shortcut and the installer's cache" \
  test -z "$(added before installed files | grep -v -e "^./$program_files/Quorl" \
                -e '/Start Menu/Programs/Quorl.lnk$' -e '^./windows/Installer')"
lnk=$(shortcuts)
check "one Start-menu shortcut Quorl.lnk" test "$(grep -c . <<<"$lnk")" = 1
lnk_texts=$(strings -a "$lnk"; strings -a -el "$lnk")
check "the shortcut starts $installed_exe_windows" grep -qxF "$installed_exe_windows" <<<"$lnk_texts"
check "the shortcut starts it in its folder" grep -qxF "C:\\$program_files\\Quorl\\" <<<"$lnk_texts"
check "the shortcut shows the program's icon" grep -qF "\\Installer\\$older_code\\quorl.ico" <<<"$lnk_texts"
entry="$uninstall_key\\$older_code"
check "uninstall entry DisplayName Quorl" test "$(reg_value "$entry" DisplayName)" = Quorl
check "uninstall entry DisplayVersion $version" test "$(reg_value "$entry" DisplayVersion)" = "$version"
check "uninstall entry Publisher Quorl" test "$(reg_value "$entry" Publisher)" = Quorl
check "uninstall entry InstallLocation" test "$(reg_value "$entry" InstallLocation)" = "C:\\$program_files\\Quorl\\"
check "uninstall entry removes with msiexec /x" grep -qi "msiexec.exe /x$older_code" <<<"$(reg_value "$entry" UninstallString)"
# Wine keeps the entry's icon with the product's registration, not as DisplayIcon.
icon=$(grep -F "\\Installer\\Products\\$(packed "$older_code")]"$'\t''"ProductIcon"=' "$work/installed.registry" |
  sed 's/.*"ProductIcon"="C:\\\\//; s/"$//; s/\\\\/\//g' || true)
check "the entry's icon is the program's icon" cmp -s "$drive_c/$icon" "$root/res/quorl.ico"

# --- Deploying the same version again (a deployment tool's second run) adds nothing.
check "installing $(basename "$older_msi") again succeeds" run_msiexec /i "$older_msi" again
snapshot again
check "installing again adds no file" cmp -s "$work/installed.files" "$work/again.files"
check "installing again leaves one Quorl in the installed programs" test "$(quorl_entries again)" = 1

# --- The installed program, started from its place, plays one game to a win.
check "the installed program plays one game to a win" \
  play_installed "$install_dir" "$installed_exe_windows" "$driver" "$work/shots"

# --- A newer version replaces it.
check "msiexec /i $(basename "$newer_msi") /qn succeeds" run_msiexec /i "$newer_msi" upgrade
snapshot upgraded
echo "--- the upgrade added:"; changes installed upgraded
echo "--- and removed:"; changes upgraded installed
check "the installed Quorl.exe is now the newer build" cmp -s "$installed_exe" "$newer_exe"
check "its version block says $newer" version_block_says "$installed_exe" "$newer"
check "the newer build differs from the older" bash -c '! cmp -s "$0" "$1"' "$newer_exe" "$built_exe"
check "one Quorl in the installed programs" test "$(quorl_entries upgraded)" = 1
check "its entry is the newer version" test "$(reg_value "$uninstall_key\\$newer_code" DisplayVersion)" = "$newer"
check "the older entry is gone" test -z "$(reg_values "$uninstall_key\\$older_code")"
check "the older version's cached icon is gone" test ! -e "$drive_c/windows/Installer/$older_code"
check "still one Start-menu shortcut" test "$(shortcuts | grep -c .)" = 1

# --- The older version does not replace the newer one.
if run_msiexec /i "$older_msi" downgrade; then fail "installing the older version over the newer is refused"
else echo "ok: installing the older version over the newer is refused"; fi
check "the refusal is the newer version's" grep -qF "WIX_DOWNGRADE_DETECTED = $newer_code" "$work/downgrade.log"
snapshot refused
check "the refused install changed no file" cmp -s "$work/upgraded.files" "$work/refused.files"
check "the refused install changed no registry entry" \
  test -z "$(added upgraded refused registry; removed upgraded refused registry)"
check "the newer Quorl.exe stays" cmp -s "$installed_exe" "$newer_exe"

# --- Removal leaves the machine as before the install.
check "msiexec /x $(basename "$newer_msi") /qn succeeds" run_msiexec /x "$newer_msi" uninstall
snapshot removed
echo "--- left after the removal:"; changes before removed
echo "--- gone after the removal:"; changes removed before
check "no file or folder of the install is left" \
  test -z "$(added before removed files | grep -v -x './windows/Installer')"
check "no registry value of the install is left" \
  test -z "$(added before removed registry | grep -F "$(printf '\t')")"
check "nothing left names the product or its codes" \
  test -z "$( (added before removed files; added before removed registry) | grep -iE "$identifiers")"
check "nothing that was there before is gone" \
  test -z "$(removed before removed files; removed before removed registry)"
check "no uninstall entry" test "$(quorl_entries removed)" = 0
check "no shortcut" test -z "$(shortcuts)"

if ((failures)); then
  echo "$failures check(s) failed; msiexec logs in $work"
  exit 1
fi
echo "all package checks passed"
