#!/usr/bin/env bash
# CTest's cross-compiling emulator: runs one Windows program under Wine.
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
