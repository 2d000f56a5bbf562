#!/usr/bin/env bash
# Starts Vellaro under Wine: on the desktop's display when there is one,
# otherwise under Xvfb, saving a screenshot of the main window.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build/win32/vellaro.exe
if [ -n "${DISPLAY:-}" ]; then
  exec "$root/scripts/with-wine.sh" --display wine "$exe"
fi
exec "$root/scripts/screenshot.sh"
