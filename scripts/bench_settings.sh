#!/usr/bin/env bash
# The settings dialog's benchmark (make bench, make bench-settings): loads
# settings files of thousands of folders through the Open button of the
# shown dialog and drops thousands of folders on it, under Wine with its
# own display and prefix, and prints the seconds of each case.
#   scripts/bench_settings.sh [--quick]   --quick: 5,000 loaded and 2,000
#                                         dropped folders only
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-build.sh
exe=build/$VELLARO_WINE/settings_bench.exe
[ -x "$exe" ] || { echo "$exe is missing: make $VELLARO_WINE" >&2; exit 1; }
export WINEPREFIX=$root/build/bench-wine/prefix-$VELLARO_WINE
export VELLARO_HOME=$root/build/bench-wine/home
echo
echo "the shown settings dialog ($VELLARO_WINE) ..."
scripts/with-wine.sh bash -c '"$WINE" "$0" "$@" 2>/dev/null' "$exe" "$@"
