#!/usr/bin/env bash
# Runs a command with a private X display and a booted, persistent Wine
# server, and stops both afterwards, whatever the command's result.
#   scripts/with-wine.sh [--display] COMMAND...
# With --display the desktop's own DISPLAY is used when there is one.
# VELLARO_SCREEN sets the private display's size (1024x768x24).
set -u
source "$(dirname "$0")/wine-env.sh"

use_desktop=0
if [ "${1:-}" = "--display" ]; then use_desktop=1; shift; fi

xvfb_pid=""
second_volume=""
cleanup() {
  wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1
  if [ -n "$second_volume" ]; then
    rm -f "$WINEPREFIX/dosdevices/t:"
    umount "$second_volume" >/dev/null 2>&1
  fi
  return 0
}
trap cleanup EXIT INT TERM

if [ $use_desktop -eq 0 ] || [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 "${VELLARO_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e /tmp/.X11-unix/X$n ]; then
      export DISPLAY=:$n; break
    fi
    xvfb_pid=""
  done
  [ -n "$xvfb_pid" ] || { echo "could not start Xvfb" >&2; exit 1; }
fi

# Wine's helpers (services, plugplay, rpcss...) inherit the output of the
# program that starts them: boot the prefix here, with the output sent away,
# so that no test program starts them and CTest never waits for them.
wineserver -p 600 </dev/null >/dev/null 2>&1
if [ ! -f "$WINEPREFIX/.vellaro-prefix-v2" ]; then
  "$WINE" wineboot --init </dev/null >/dev/null 2>&1
  # Without a window manager Wine waits seconds for every hidden window
  # unless its windows are unmanaged.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  # The dialogs' proportional Japanese font, drawn with its proportional
  # free twin.
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f </dev/null >/dev/null 2>&1
  touch "$WINEPREFIX/.vellaro-prefix-v2"
else
  "$WINE" wineboot </dev/null >/dev/null 2>&1
fi
# Caption buttons and system-menu glyphs are drawn with Marlett, which
# Debian's Wine does not find by itself (they would read "0 1 r").
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi

# A second volume, drive T: (a small tmpfs), for the tests of work across
# volumes, where root can mount one; they skip without it. It is added to a
# booted prefix (a prefix whose drive folder exists before its first boot
# gets no C: or Z:), and Wine learns its drives when its server starts, so
# the server starts again once the drive is there.
if [ "$(id -u)" = 0 ] && [ ! -e "$WINEPREFIX/dosdevices/t:" ] && mkdir -p "$WINEPREFIX/second-volume" &&
   ! mountpoint -q "$WINEPREFIX/second-volume" &&
   mount -t tmpfs -o size=4m vellaro-second "$WINEPREFIX/second-volume" >/dev/null 2>&1; then
  second_volume=$WINEPREFIX/second-volume
  ln -s "$second_volume" "$WINEPREFIX/dosdevices/t:"
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  wineserver -p 600 </dev/null >/dev/null 2>&1
  "$WINE" wineboot </dev/null >/dev/null 2>&1
fi

"$@"
