#!/usr/bin/env bash
# Builds the 32-bit product (always) and, where Wine runs the 64-bit build
# here, that build too; says which build runs under Wine and why.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-build.sh
echo "Windows build run under Wine: $VELLARO_WINE ($VELLARO_WINE_WHY)"
for preset in win32 $([ "$VELLARO_WINE" = win32 ] || echo "$VELLARO_WINE"); do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
done
