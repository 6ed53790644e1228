#!/usr/bin/env bash
# Takes a screenshot once the screen has painted: every visible window of every Wine program
# painted and its program idle, then the same picture twice from the X server (what Wine has
# drawn may reach the server a little later). Waits, never sleeps a fixed time.
#
#   screenshot.sh OUT.png [WINDOW_TITLE ...]
#
# With titles, the picture is cropped to the rectangle around those windows. Needs DISPLAY
# and WINEPREFIX set; UIPROBE may name uiprobe.exe (default: build/win32/uiprobe.exe).
set -euo pipefail
out=${1:?usage: screenshot.sh OUT.png [WINDOW_TITLE ...]}
shift
uiprobe=${UIPROBE:-$(cd "$(dirname "$0")/.." && pwd)/build/win32/uiprobe.exe}
: "${DISPLAY:?}" "${WINEPREFIX:?}"

wine "$uiprobe" painted 20000 || echo "screenshot: the screen did not settle in 20 s" >&2

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
import -window root "$tmp/a.png"
stable=0
for _ in $(seq 1 40); do
  import -window root "$tmp/b.png"
  # A blinking caret is the one change allowed between two grabs.
  differ=$(compare -metric AE "$tmp/a.png" "$tmp/b.png" null: 2>&1 || true)
  mv "$tmp/b.png" "$tmp/a.png"
  if [ "${differ%% *}" -le 64 ] 2>/dev/null; then stable=1; break; fi
done
[ "$stable" = 1 ] || echo "screenshot: the screen kept changing" >&2

if [ $# -eq 0 ]; then
  mv "$tmp/a.png" "$out"
  exit 0
fi
# The rectangle around the named windows, inside the screen.
read -r sw sh <<<"$(identify -format '%w %h' "$tmp/a.png")"
l=$sw t=$sh r=0 b=0
for title in "$@"; do
  read -r wl wt wr wb < <(wine "$uiprobe" window "$title" 5000 | tr -d '\r') ||
    { echo "screenshot: no window '$title'" >&2; exit 1; }
  ((wl < l)) && l=$wl; ((wt < t)) && t=$wt; ((wr > r)) && r=$wr; ((wb > b)) && b=$wb
done
((l < 0)) && l=0; ((t < 0)) && t=0; ((r > sw)) && r=$sw; ((b > sh)) && b=$sh
convert "$tmp/a.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out"
