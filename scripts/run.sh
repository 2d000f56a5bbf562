#!/usr/bin/env bash
# Starts Vellaro under Wine: on the desktop's display when there is one,
# otherwise under Xvfb, saving a screenshot of the main window.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-build.sh"
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-wine.sh" --display \
    bash -c 'exec "$WINE" "$1"' run "$root/build/$VELLARO_WINE/vellaro.exe"
fi
exec "$root/scripts/screenshot.sh"
