#!/usr/bin/env bash
# Starts Vellaro under a private X display and uses it on a small demo folder
# as a person would, taking pictures on the way (build/screenshots/):
#   screenshot-start.png            the main window at start-up
#   screenshot-settings.png         the settings dialog, a folder entered
#   screenshot.png                  the main window after the search
#   screenshot-delete-question.png  the question before the deletion
#   screenshot-delete-result.png    the message after it: before the
#                                   deletion two files are changed, so that
#                                   it has files to tell about
#   screenshot-144dpi.png           the main window after the search at 144
#   screenshot-settings-144dpi.png  DPI (150 %), and the settings dialog
#   screenshot-rule-1.png to -6.png the main window after each entry of the
#                                   candidate list's menu, each on a fresh
#                                   search of the demo folder
#   screenshot-settings-scope.png   the settings dialog with a protected
#                                   folder, an excluded folder name and a
#                                   minimum size
#   screenshot-protected.png        the main window after that search
#   screenshot-link-question.png    the question before the ticked files are
#   screenshot-link-result.png      replaced with hard links, and the message
#                                   after it, on a fresh search, the same two
#                                   files changed
# With --docs the pictures (but the first, and of the rules only the third,
# as screenshot-triage.png) are copied into docs/.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
shots=$build/screenshots
docs=0; [ "${1:-}" = "--docs" ] && docs=1
source "$root/scripts/wine-build.sh"
rm -rf "$shots" && mkdir -p "$shots"

# take FILE LEFT TOP WIDTH HEIGHT: that area of the screen into FILE, without
# the time stamps that would make every run's file differ.
take() {
  import -window root -crop "${4}x${5}+${2}+${3}" +repage -define png:exclude-chunks=date,time "$1"
}

dpi() {  # dpi N: the DPI of the programs started from now on
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
}

shoot() {  # shoot FILE: the main window of Vellaro into FILE
  local id
  id=$(xwininfo -root -tree | grep '"\[Vellaro\]' | head -n 1 | awk '{print $1}')
  [ -n "$id" ] || { echo "no Vellaro window to capture" >&2; return 1; }
  import -window "$id" -define png:exclude-chunks=date,time "$1"
}

# drive_shots HANDLER ARGS...: runs the driver on the demo folder with
# --shots and ARGS, and has HANDLER NAME LEFT TOP WIDTH HEIGHT take each
# picture it announces; counts them in $taken.
drive_shots() {
  local handler=$1; shift
  coproc SHOTS { "$WINE" "$build/$VELLARO_WINE/drive_vellaro.exe" 'C:\サンプル' --shots "$@" 2>/dev/null; }
  local word name left top width height
  taken=0
  while read -r -u "${SHOTS[0]}" word name left top width height; do
    case $word in
      shot) "$handler" "$name" "$left" "$top" "$width" "$height"
            taken=$((taken + 1))
            echo >&"${SHOTS[1]}" ;;
      end) break ;;
    esac
  done
  [ -n "${SHOTS_PID:-}" ] && wait "$SHOTS_PID" 2>/dev/null
  return 0
}

search_picture() {
  case $1 in
    settings) take "$shots/screenshot-settings.png" "$2" "$3" "$4" "$5" ;;
    main) take "$shots/screenshot.png" "$2" "$3" "$4" "$5"
          # A ticked copy, and the copy kept for another one, change after
          # the search: the deletion keeps both ticked files.
          printf 'changed' >>"$demo/downloads/setup (1).exe"
          printf 'changed' >>"$demo/音楽/曲A.mp3" ;;
    question) take "$shots/screenshot-delete-question.png" "$2" "$3" "$4" "$5" ;;
    result) take "$shots/screenshot-delete-result.png" "$2" "$3" "$4" "$5" ;;
  esac
}

dpi_picture() {
  case $1 in
    settings) take "$shots/screenshot-settings-144dpi.png" "$2" "$3" "$4" "$5" ;;
    main) take "$shots/screenshot-144dpi.png" "$2" "$3" "$4" "$5" ;;
  esac
}

link_picture() {
  case $1 in
    # The same two files change as before the deletion.
    main) printf 'changed' >>"$demo/downloads/setup (1).exe"
          printf 'changed' >>"$demo/音楽/曲A.mp3" ;;
    question) take "$shots/screenshot-link-question.png" "$2" "$3" "$4" "$5" ;;
    result) take "$shots/screenshot-link-result.png" "$2" "$3" "$4" "$5" ;;
  esac
}

scope_picture() {
  case $1 in
    settings) take "$shots/screenshot-settings-scope.png" "$2" "$3" "$4" "$5" ;;
    main) take "$shots/screenshot-protected.png" "$2" "$3" "$4" "$5" ;;
  esac
}

session() {
  set -u
  # The demo folder is C:\サンプル, as a user would name it.
  local demo=$WINEPREFIX/drive_c/サンプル
  python3 "$root/scripts/make-demo-tree.py" "$demo"
  "$WINE" "$build/$VELLARO_WINE/vellaro.exe" </dev/null >/dev/null 2>&1 &
  local id=""
  for _ in $(seq 100); do
    id=$(xwininfo -root -tree | grep '"\[Vellaro\] ' | head -n 1 | awk '{print $1}')
    [ -n "$id" ] && break; sleep 0.1
  done
  [ -n "$id" ] || { echo "no Vellaro window to capture" >&2; return 1; }
  sleep 1
  import -window "$id" -define png:exclude-chunks=date,time "$shots/screenshot-start.png"
  wineserver -k; sleep 0.5; wineserver -p 600 </dev/null >/dev/null 2>&1

  local taken=0
  drive_shots search_picture --exit
  [ $taken -eq 4 ] || { echo "screenshot: $taken of 4 pictures taken" >&2; return 1; }

  # The settings and the result again at 144 DPI (150 %), which a program
  # reads at its start.
  wineserver -k; sleep 0.5; wineserver -p 600 </dev/null >/dev/null 2>&1
  python3 "$root/scripts/make-demo-tree.py" "$demo"
  dpi 144
  drive_shots dpi_picture --exit
  dpi 96
  [ -f "$shots/screenshot-144dpi.png" ] && [ -f "$shots/screenshot-settings-144dpi.png" ] ||
    { echo "screenshot: the pictures at 144 DPI were not taken" >&2; return 1; }

  # The menu's rules, each on a fresh demo folder and a fresh search.
  for rule in 1 2 3 4 5 6; do
    wineserver -k; sleep 0.5; wineserver -p 600 </dev/null >/dev/null 2>&1
    python3 "$root/scripts/make-demo-tree.py" "$demo"
    "$WINE" "$build/$VELLARO_WINE/drive_vellaro.exe" 'C:\サンプル' --rule $rule </dev/null >/dev/null 2>&1 || return 1
    sleep 1
    shoot "$shots/screenshot-rule-$rule.png" || return 1
  done

  # The settings that narrow the search, and a result with protected copies.
  wineserver -k; sleep 0.5; wineserver -p 600 </dev/null >/dev/null 2>&1
  python3 "$root/scripts/make-demo-tree.py" "$demo"
  drive_shots scope_picture --scope --exit
  [ $taken -eq 2 ] || { echo "screenshot: $taken of 2 pictures of the narrowed search taken" >&2; return 1; }

  # The ticked files replaced with hard links instead of deleted.
  wineserver -k; sleep 0.5; wineserver -p 600 </dev/null >/dev/null 2>&1
  python3 "$root/scripts/make-demo-tree.py" "$demo"
  drive_shots link_picture --links --exit
  [ $taken -eq 4 ] || { echo "screenshot: $taken of 4 pictures of the replacement taken" >&2; return 1; }
}
export -f session take shoot dpi drive_shots search_picture scope_picture dpi_picture link_picture
export build shots root
# Room for the main window at 144 DPI.
VELLARO_SCREEN=1600x1200x24 "$root/scripts/with-wine.sh" bash -c session || exit 1
if [ $docs -eq 1 ]; then
  for picture in screenshot screenshot-settings screenshot-delete-question screenshot-delete-result \
                 screenshot-settings-scope screenshot-protected screenshot-link-question screenshot-link-result \
                 screenshot-144dpi screenshot-settings-144dpi; do
    cp "$shots/$picture.png" "$root/docs/$picture.png"
  done
  cp "$shots/screenshot-rule-3.png" "$root/docs/screenshot-triage.png"
  echo "Screenshots copied into $root/docs"
fi
echo "Vellaro ran under Xvfb. Screenshots, from searches of the demo folder C:\\サンプル:"
ls "$shots"/*.png | sed 's/^/  /'
