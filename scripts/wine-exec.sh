#!/usr/bin/env bash
# CTest's cross-compiling emulator: runs one Windows program of the given
# build under Wine.   scripts/wine-exec.sh win32|win64 PROGRAM [ARGS...]
export VELLARO_WINE=$1; shift
source "$(dirname "$0")/wine-env.sh"
exec "$WINE" "$@"
