# Sourced: the environment every Wine run of the project uses. A private
# prefix under the build folder, Japanese locale (code page 932), no Mono or
# Gecko pop-ups, and a scratch HOME so that the Recycle Bin is a real Trash.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export VELLARO_HOME=${VELLARO_HOME:-$root/build/home}
mkdir -p "$VELLARO_HOME/.local/share"
export HOME=$VELLARO_HOME XDG_DATA_HOME=$VELLARO_HOME/.local/share
