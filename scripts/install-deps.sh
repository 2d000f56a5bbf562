#!/usr/bin/env bash
# Installs every system package the build, the program and the tests need.
# Idempotent: does nothing when everything is already there.
# The 32-bit product is always cross-built; Wine runs the 32-bit build where
# its 32-bit loader starts and the 64-bit build elsewhere
# (scripts/wine-build.sh), so the x86_64 compiler is installed where that
# build is the one run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive

missing_of() {  # prints the packages of "$@" that are not installed
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
updated=0
install() {  # install PACKAGES...: installs those missing
  local missing
  missing=$(missing_of "$@")
  [ -n "$missing" ] || return 0
  echo "installing:" $missing
  [ $updated -eq 1 ] || { $SUDO apt-get update -qq; updated=1; }
  # shellcheck disable=SC2086
  $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

install cmake make g++ googletest g++-mingw-w64-i686 mingw-w64-i686-dev \
        wine wine64 fonts-wine xvfb xauth x11-utils imagemagick fonts-ipafont-gothic \
        locales python3 jdupes fdupes rdfind rmlint time

# Wine's 32-bit part, wherever the i386 architecture can be added (it is
# installed even where the kernel cannot start it; the choice below tells).
if [ -n "$(missing_of wine32:i386)" ]; then
  if dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386; then
    updated=0
    install wine32:i386 || echo "note: wine32:i386 could not be installed; the 64-bit build will run" >&2
  fi
fi

source "$root/scripts/wine-build.sh"
[ "$VELLARO_WINE" = win32 ] || install g++-mingw-w64-x86-64 mingw-w64-x86-64-dev

if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
