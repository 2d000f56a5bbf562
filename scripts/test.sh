#!/usr/bin/env bash
# Runs every test: checks the 32-bit product and the release archive, runs
# the core natively with the sanitizers, then the Windows side under Wine on
# the build chosen for this machine (scripts/wine-build.sh). Fails when any
# of them fails.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-build.sh
status=0
scripts/check-product.sh || status=1
python3 scripts/check-dist.py || status=1
ctest --preset native || status=1
scripts/with-wine.sh ctest --preset "$VELLARO_WINE" || status=1
exit $status
