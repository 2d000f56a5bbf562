#!/usr/bin/env bash
# Runs every test: the core natively with the sanitizers, then the Windows
# side under Wine. Fails when any test fails.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
status=0
ctest --preset native || status=1
scripts/with-wine.sh ctest --preset win32 || status=1
exit $status
