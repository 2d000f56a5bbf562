#!/usr/bin/env bash
# Installs every system package the build, the program and the tests need.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(cmake make g++ googletest g++-mingw-w64-i686 mingw-w64-i686-dev
          wine wine32:i386 xvfb xauth x11-utils imagemagick fonts-ipafont-gothic locales
          python3 jdupes fdupes rdfind rmlint time)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
locale_ok=1
locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$' || locale_ok=0

if [ ${#missing[@]} -eq 0 ] && [ $locale_ok -eq 1 ]; then
  exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
