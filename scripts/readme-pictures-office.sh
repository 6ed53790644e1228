#!/usr/bin/env bash
# Takes the README's pictures of Office's colours into docs/: the host playing Excel's VBA
# editor (/vba /office=excel) on a recorded macro; the colour of its ThemeColor/TintAndShade
# pair, of a ColorIndex and of a Word theme Long taken from code; the preview's hint naming
# the theme colour; and a picked colour written as the nearest theme colour with its tint.
# Driven as scripts/readme-pictures.sh drives the host: real X input on a private Xvfb screen,
# each picture taken once the screen has painted. Look at them before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
export BUILD_DIR="$ROOT/build"
cmake --build build/win32 -j2 --target Pigmora idehost uiprobe >/dev/null

source scripts/wine-env.sh
trap 'cleanup; wine_env_stop' EXIT
xvfb_start
wine_prefix_start
probe() { wine uiprobe.exe "$@" | tr -d '\r'; }
shot() { bash "$ROOT/scripts/screenshot.sh" "$@"; }
host_pid=
cleanup() {
  if [ -n "$host_pid" ]; then
    wine uiprobe.exe close >/dev/null 2>&1 || true
    for _ in $(seq 1 50); do kill -0 "$host_pid" 2>/dev/null || break; sleep 0.2; done
  fi
  wine regsvr32 /s /u /n /i:user Pigmora.dll >/dev/null 2>&1 || true
  rm -f "$module"
}

cd build/win32
wine reg delete 'HKCU\Software\VB and VBA Program Settings\Pigmora' /f >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\AppDefaults\idehost.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wine regsvr32 /s /n /i:user Pigmora.dll
module="$PWD/readme-office.bas"
lines=('Sub Recorded()' '    With Selection.Interior' '        .Pattern = xlSolid'
  '        .ThemeColor = xlThemeColorAccent1' '        .TintAndShade = 0.399975585192419' '    End With'
  '    Selection.Font.ColorIndex = 46' '    Selection.Font.Color = -738132071' '    ' 'End Sub')
printf '%s\r\n' "${lines[@]}" >"$module"
wine idehost.exe /vba /office=excel "$(winepath -w "$module")" >/dev/null 2>&1 &
host_pid=$!
read -r x y < <(probe button "VB 6 Huevista" 30000)
xdotool mousemove "$x" "$y" click 1
read -r left top _ _ < <(probe window "VB 6 Huevista" 15000)
host_title=$(probe title wndclass_desked_gsk)

# The caret into line N (from 0) at column C (from 0), then "Color from code".
caret_to() {
  local offset=0 k
  for ((k = 0; k < $1; k++)); do offset=$((offset + ${#lines[k]} + 2)); done
  read -r cx cy < <(probe char $((offset + $2)) 5000)
  xdotool mousemove "$cx" "$cy" click 1
}
from_code() {
  xdotool mousemove $((left + 26)) $((top + 69)) click 3
  sleep 1
  xdotool key Down Return
  xdotool mousemove 5 5
}
caret_to 3 10 && from_code
shot "$ROOT/docs/office-theme-colour-from-code.png" "$host_title" "VB 6 Huevista"
# The preview's hint: the theme colour and step the colour is.
xdotool mousemove $((left + 26)) $((top + 69))
sleep 2
shot "$BUILD_DIR/office-hint.png"
convert "$BUILD_DIR/office-hint.png" -crop 800x130+$((left - 420))+$((top)) +repage "$ROOT/docs/office-theme-colour-hint.png"
caret_to 6 10 && from_code
shot "$ROOT/docs/office-colour-index-from-code.png" "$host_title" "VB 6 Huevista"
caret_to 7 10 && from_code
shot "$ROOT/docs/office-word-long-from-code.png" "$host_title" "VB 6 Huevista"

# A picked colour (orange of the standard palette, row 2) written as the nearest theme colour:
# the format menu's Insert, its Office items last, then the line inserted.
caret_to 8 4
xdotool mousemove $((left + 264 + 18 + 16)) $((top + 32 + 30)) click 1
xdotool mousemove $((left + 200)) $((top + 95)) click 1 # the format menu (2180, 1320 twips)
sleep 1
xdotool key Down Right Up Up
sleep 1
shot "$BUILD_DIR/office-menu.png"
convert "$BUILD_DIR/office-menu.png" -crop 800x260+$((left - 420))+$((top)) +repage "$ROOT/docs/office-theme-colour-menu.png"
xdotool key Return
xdotool mousemove 5 5
shot "$ROOT/docs/office-theme-colour-written.png" "$host_title" "VB 6 Huevista"
echo "pictures in $ROOT/docs: look at each before committing"
