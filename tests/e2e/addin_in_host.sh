#!/usr/bin/env bash
# The whole stack from outside the process: Pigmora.dll registered for the current user
# with regsvr32, the IDE host program loading it from its add-in record, a real X click on
# its toolbar button, the main window seen on a screenshot, the host closed, and "1" stored
# for DisplayOnConnect. Runs in the build folder, with DISPLAY and WINEPREFIX set.
set -euo pipefail
source "$(dirname "$0")/host_session.sh"
settings='HKCU\Software\VB and VBA Program Settings\Pigmora\Settings'
shot="$PWD/e2e-addin-in-host.png"
trap host_session_end EXIT

# The screenshot's colour at (x, y) as RRGGBB.
pixel() { convert "$shot" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1 | tr -d '#'; }

host_session_start
read -r x y < <(wine uiprobe.exe button "VB 6 Huevista" 30000) ||
  fail "the add-in's button did not appear on the host's toolbar"
echo "button at $x,$y"
# One press, never a second: a press the add-in loses fails this run.
click "$x" "$y"
read -r left top right bottom < <(wine uiprobe.exe window "VB 6 Huevista" 15000) ||
  fail "the main window did not open"
echo "main window at $left,$top-$right,$bottom"
UIPROBE="$PWD/uiprobe.exe" bash "$(dirname "$0")/../../scripts/screenshot.sh" "$shot"

# The standard palette's cells (it stands 264, 32 pixels into the window): white, red,
# green and blue, as the screen shows them.
px=$((left + 264)); py=$((top + 32))
for check in "6 6 FFFFFF" "18 30 FF0000" "56 30 00FF00" "81 30 0000FF"; do
  set -- $check
  got=$(pixel $((px + $1)) $((py + $2)))
  [ "$got" = "$3" ] || fail "palette pixel ($1,$2) is $got, not $3 (screenshot $shot)"
done

wine uiprobe.exe close || fail "could not ask the host to close"
for _ in $(seq 1 75); do kill -0 "$host_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$host_pid" 2>/dev/null && fail "the host did not close"
host_pid=

stored=$(wine reg query "$settings" /v DisplayOnConnect 2>/dev/null | tr -d '\r' | awk '/DisplayOnConnect/ {print $3}')
[ "$stored" = "1" ] || fail "DisplayOnConnect is '$stored', not 1"
echo "1 passed, 0 failed"
