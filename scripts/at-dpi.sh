#!/usr/bin/env bash
# Runs a Windows program as a user with another screen would meet it: the
# prefix set to DPI (LogPixels, which a program reads at its start) and, with
# --no-replacement, without the replacement of the dialogs' font that the
# test set-up makes, so that Wine substitutes a font of its own choice. The
# prefix is set back afterwards, whatever the program's result.
#   scripts/at-dpi.sh win32|win64 DPI [--no-replacement] PROGRAM [ARGUMENTS...]
# Runs under scripts/with-wine.sh (CTest's Wine suite does).
set -u
export VELLARO_WINE=$1; shift
dpi=$1; shift
replace=1
if [ "${1:-}" = "--no-replacement" ]; then replace=0; shift; fi
source "$(dirname "$0")/wine-env.sh"
fonts='HKCU\Software\Wine\Fonts\Replacements'
desktop='HKCU\Control Panel\Desktop'
reg() { "$WINE" reg "$@" </dev/null >/dev/null 2>&1; }
restore() {
  reg add "$desktop" /v LogPixels /t REG_DWORD /d 96 /f
  reg add "$fonts" /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f
}
trap restore EXIT
reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f
[ $replace -eq 0 ] && reg delete "$fonts" /v 'ＭＳ Ｐゴシック' /f
"$WINE" "$@"
