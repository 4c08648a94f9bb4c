#!/usr/bin/env bash
# Stands in for apt-get, dpkg, dpkg-query, locale and sudo (by the name it is called
# by) so that scripts/deps.sh can be played without the network. Each call is logged
# to $STANDIN_LOG; the installed packages are the lines of $STANDIN_INSTALLED; apt-get
# answers as STANDIN_UPDATE, STANDIN_INSTALL and STANDIN_SUITE_INSTALL (ok or fail) say.
set -u
name=$(basename "$0")
echo "$name $*" >>"$STANDIN_LOG"
case $name in
  sudo) exec "$@" ;;
  dpkg) [ "$1" = --print-foreign-architectures ] && echo i386 ;;
  dpkg-query) grep -qxF "${*: -1}" "$STANDIN_INSTALLED" && printf 'install ok installed' ;;
  locale) printf '%s\n' C.utf8 en_US.utf8 fr_FR.utf8 ;;
  apt-get)
    case $1 in
      update)
        [ "$STANDIN_UPDATE" = ok ] && exit 0
        echo "E: Failed to fetch http://archive.test/dists/stable-security/main/binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
        exit 100 ;;
      install)
        answer=$STANDIN_INSTALL
        [[ " $* " == *" -t "* ]] && answer=$STANDIN_SUITE_INSTALL
        if [ "$answer" != ok ]; then
          echo "E: Unable to correct problems, you have held broken packages."
          exit 100
        fi
        for p in "$@"; do [[ $p == -* || $p == install ]] || echo "$p" >>"$STANDIN_INSTALLED"; done ;;
    esac ;;
esac
exit 0
