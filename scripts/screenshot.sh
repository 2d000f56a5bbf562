#!/usr/bin/env bash
# Starts Vellaro under a private X display, searches a small demo folder as a
# person would (settings, folder, OK, Search) and saves screenshots of the
# main window before and after: build/screenshot-start.png and
# build/screenshot.png (docs/screenshot.png too, with --docs); then, each on
# a fresh search, after each rule of the candidate list's context menu:
# build/screenshot-rule-1.png to -6.png (docs/screenshot-triage.png too).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
docs=0; [ "${1:-}" = "--docs" ] && docs=1
source "$root/scripts/wine-build.sh"
python3 "$root/scripts/make-demo-tree.py" "$build/demo"

shoot() {  # shoot FILE: the main window of Vellaro into FILE
  local id
  id=$(xwininfo -root -tree | grep '"\[Vellaro\]' | head -n 1 | awk '{print $1}')
  [ -n "$id" ] || { echo "no Vellaro window to capture" >&2; return 1; }
  import -window "$id" "$1"
}

session() {
  set -u
  export -f shoot
  "$WINE" "$build/$VELLARO_WINE/vellaro.exe" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 100); do xwininfo -root -tree | grep -q '"\[Vellaro\] ' && break; sleep 0.1; done
  sleep 1
  shoot "$build/screenshot-start.png" || return 1
  wineserver -k; sleep 0.5; wineserver -p 600 </dev/null >/dev/null 2>&1
  "$WINE" "$build/$VELLARO_WINE/drive_vellaro.exe" "Z:$(echo "$build/demo" | tr / '\\')" </dev/null >/dev/null 2>&1 || return 1
  sleep 1
  shoot "$build/screenshot.png" || return 1
  for rule in 1 2 3 4 5 6; do
    wineserver -k; sleep 0.5; wineserver -p 600 </dev/null >/dev/null 2>&1
    "$WINE" "$build/$VELLARO_WINE/drive_vellaro.exe" "Z:$(echo "$build/demo" | tr / '\\')" --rule $rule \
      </dev/null >/dev/null 2>&1 || return 1
    sleep 1
    shoot "$build/screenshot-rule-$rule.png" || return 1
  done
}
export -f session shoot
export build
"$root/scripts/with-wine.sh" bash -c session || exit 1
[ $docs -eq 1 ] && mkdir -p "$root/docs" && cp "$build/screenshot.png" "$root/docs/screenshot.png" &&
  cp "$build/screenshot-rule-3.png" "$root/docs/screenshot-triage.png"
echo "Vellaro ran under Xvfb (no display here). Screenshots of its main window:"
echo "  $build/screenshot-start.png  (at start-up)"
echo "  $build/screenshot.png        (after searching the demo folder $build/demo)"
echo "  $build/screenshot-rule-N.png (after menu entry N, 1 to 6, on a fresh search)"
