# Sourced: the environment every Wine run of the project uses, for the
# Windows build that scripts/wine-build.sh chose. A private prefix per build
# under the build folder, Japanese locale (code page 932), no Mono or Gecko
# pop-ups, and a scratch HOME so that the Recycle Bin is a real Trash.
# Sets WINE to the loader to run programs with.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/wine-build.sh"
if [ "$VELLARO_WINE" = win64 ]; then
  # Debian's wine launcher takes the 32-bit loader whenever it is installed,
  # even where it cannot start: call the 64-bit loader itself.
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  WINE=/usr/lib/wine/wine64
  default_prefix=$root/build/wineprefix64
else
  export WINEARCH=win32
  WINE=/usr/lib/wine/wine
  default_prefix=$root/build/wineprefix
fi
export WINE
export WINEPREFIX=${WINEPREFIX:-$default_prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export VELLARO_HOME=${VELLARO_HOME:-$root/build/home}
mkdir -p "$VELLARO_HOME/.local/share"
export HOME=$VELLARO_HOME XDG_DATA_HOME=$VELLARO_HOME/.local/share
# While it holds no X resource at all, Xlib reads ~/.Xdefaults again at
# every font lookup (thousands of times in a search). A desktop session has
# its resources; this display gets one of its own.
[ -e "$VELLARO_HOME/.Xdefaults" ] || echo "vellaro.display: test" > "$VELLARO_HOME/.Xdefaults"
