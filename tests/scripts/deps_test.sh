#!/usr/bin/env bash
# Plays scripts/deps.sh against stand-ins for apt-get, dpkg, dpkg-query, locale and
# sudo: what it runs, what it says and how it ends when the archive answers well,
# when one index fails, when the install cannot be resolved and when nothing works.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
for tool in apt-get dpkg dpkg-query locale sudo; do
  ln -s "$root/tests/scripts/apt_standin.sh" "$work/bin/$tool"
done
# The packages that deps.sh asks for, read from its own list.
all_packages=$(sed -n '/^packages=(/,/^)/p' "$root/scripts/deps.sh" | sed '1d;$d' | tr -s ' ' '\n' | sed '/^$/d')

# case | installed at first | update | install | same-suite install | status |
#   lines it must print (|-separated) | apt-get calls, in order (;-separated)
cases=(
  "all installed: nothing to do, not even an update|all|ok|ok|ok|0||"
  "an index fails, the install goes through|none|fail|ok|ok|0|some package lists could not be updated (http://archive.test/dists/stable-security/main/binary-i386/Packages.xz); going on with those that arrived|update;install"
  "the install refuses, the same-suite retry resolves it|none|fail|fail|ok|0|going on with those that arrived|the install could not be resolved; trying again with every package from the release's own suite ($codename)|update;install;install -t $codename"
  "nothing works: says what is missing, stops non-zero|none|fail|fail|fail|1|trying again with every package|deps: could not install cmake|run this again later|update;install;install -t $codename"
)

failures=0
for row in "${cases[@]}"; do
  IFS='|' read -r -a f <<<"$row"
  name=${f[0]} installed=${f[1]} expected_status=${f[5]}
  expected_calls=${f[-1]}
  lines=("${f[@]:6:${#f[@]}-7}")
  log=$work/log state=$work/installed
  : >"$log"
  if [ "$installed" = all ]; then echo "$all_packages" >"$state"; else : >"$state"; fi
  output=$(PATH="$work/bin:$PATH" STANDIN_LOG=$log STANDIN_INSTALLED=$state \
    STANDIN_UPDATE=${f[2]} STANDIN_INSTALL=${f[3]} STANDIN_SUITE_INSTALL=${f[4]} \
    bash "$root/scripts/deps.sh" 2>&1)
  status=$?
  calls=$(awk '$1 == "apt-get" { c = $2; for (i = 3; i < NF; i++) if ($i == "-t") c = c " -t " $(i + 1); print c }' "$log" | paste -sd';')
  problems=()
  [ "$status" = "$expected_status" ] || problems+=("exit status $status, expected $expected_status")
  [ "$calls" = "$expected_calls" ] || problems+=("apt-get calls '$calls', expected '$expected_calls'")
  for line in "${lines[@]}"; do
    [ -z "$line" ] || grep -qF -- "$line" <<<"$output" || problems+=("no line saying: $line")
  done
  if ((${#problems[@]})); then
    failures=$((failures + 1))
    echo "FAILED: $name"
    printf '  %s\n' "${problems[@]}"
    sed 's/^/  | /' <<<"$output"
  else
    echo "ok: $name (status $status)"
    grep '^deps:' <<<"$output" | sed 's/^/  | /'
  fi
done
echo "$((${#cases[@]} - failures)) passed, $failures failed"
((failures == 0))
