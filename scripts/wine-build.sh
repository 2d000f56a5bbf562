# Sourced: decides which Windows build runs under Wine here, in one place.
# win32 where the 32-bit Wine loader starts; otherwise win64 (some x86-64
# kernels cannot start 32-bit programs). VELLARO_WINE=win32|win64 overrides.
# Sets VELLARO_WINE and VELLARO_WINE_WHY.
if [ -n "${VELLARO_WINE:-}" ]; then
  VELLARO_WINE_WHY=${VELLARO_WINE_WHY:-"VELLARO_WINE=$VELLARO_WINE is set"}
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
  VELLARO_WINE=win32
  VELLARO_WINE_WHY="the 32-bit Wine loader starts on this machine"
else
  VELLARO_WINE=win64
  VELLARO_WINE_WHY="the 32-bit Wine loader cannot start on this machine"
fi
case $VELLARO_WINE in
  win32|win64) ;;
  *) echo "VELLARO_WINE must be win32 or win64, not '$VELLARO_WINE'" >&2; exit 2 ;;
esac
export VELLARO_WINE VELLARO_WINE_WHY
