#!/usr/bin/env bash
# Takes the README's pictures into docs/: the IDE host with the add-in's window, the main
# window, the About window below it, the capture with its loupe over the host's toolbar (and
# averaging a 5 x 5 square), a colour read from a module and written back, the project's
# colours, and the main window
# at 96 and at 144 DPI side by side.
# The add-in is registered for the current user in the build's Wine prefix (and one at
# 144 DPI) and driven with real X input on a private Xvfb screen; each picture is taken once
# the screen has painted (scripts/screenshot.sh). Look at them before committing.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
export BUILD_DIR="$ROOT/build"

cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
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
}

cd build/win32
wine reg delete 'HKCU\Software\VB and VBA Program Settings\Pigmora' /f >/dev/null 2>&1 || true
# The IDE host with the add-in registered (on the modules given), its button clicked; LEFT and
# TOP of the main window.
open_main_window() {
  wine reg add 'HKCU\Software\Wine\AppDefaults\idehost.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine regsvr32 /s /n /i:user Pigmora.dll
  # The click opens the window: left open at the last close, it would open with the host,
  # before its frame, which Wine without a window manager then stacks above it on the screen.
  wine reg delete 'HKCU\Software\VB and VBA Program Settings\Pigmora\Settings' \
    /v DisplayOnConnect /f >/dev/null 2>&1 || true
  wine idehost.exe "$@" >/dev/null 2>&1 &
  host_pid=$!
  read -r x y < <(probe button "VB 6 Huevista" 30000)
  xdotool mousemove "$x" "$y" click 1
  read -r left top _ _ < <(probe window "VB 6 Huevista" 15000)
  # The pointer away from buttons and tips: their hover faces are not the pictures' subject.
  xdotool mousemove 5 5
}
open_main_window
host_title=$(probe title IdeHostFrame)
shot "$ROOT/docs/addin-in-host.png" "$host_title" "VB 6 Huevista"
shot "$ROOT/docs/main-window.png" "VB 6 Huevista"

# The Capture button (3030, 880 twips: 202, 59 pixels), then the pointer onto the add-in's
# toolbar button and nudged one pixel with the keys, as a user lands on a pixel.
xdotool mousemove $((left + 216)) $((top + 70)) click 1
probe window "Loupe" 15000 >/dev/null
xdotool mousemove $((x - 4)) $((y - 2))
xdotool key Right
shot "$ROOT/docs/capture-loupe.png" "$host_title" "VB 6 Huevista" "Loupe"
# The mean of the 5 x 5 square, outlined; the pixel alone again before leaving.
xdotool key 5
shot "$ROOT/docs/capture-averaging.png" "$host_title" "VB 6 Huevista" "Loupe"
xdotool key 1
xdotool key Escape

# The About button (3460, 880 twips: 231, 59 pixels, 28 x 22).
xdotool mousemove $((left + 245)) $((top + 70)) click 1
probe window "About" 15000 >/dev/null
xdotool mousemove 5 5
shot "$ROOT/docs/about-window.png" "VB 6 Huevista" "About"

# A module's line: the caret into RGB(10, 20, 30) with a click, "Color from code", red from
# the standard palette, the preview's menu open on "Replace color in code", then the line
# written back.
cleanup
module="$PWD/readme-colour-in-code.bas"
line1='Sub Paint()'
line2='    Me.BackColor = RGB(10, 20, 30): Me.ForeColor = vbWhite '"'"' sky'
printf '%s\r\n%s\r\nEnd Sub\r\n' "$line1" "$line2" >"$module"
open_main_window "$(winepath -w "$module")"
before=${line2%%20,*}
read -r cx cy < <(probe char $((${#line1} + 2 + ${#before})) 5000)
xdotool mousemove "$cx" "$cy" click 1
# The preview's menu (160, 880 twips: 10, 58 pixels, 33 x 22), its item picked or highlighted.
menu_item() {
  xdotool mousemove $((left + 26)) $((top + 69)) click 3
  sleep 1
  for _ in $(seq 1 "$1"); do xdotool key Down; sleep 0.3; done
}
menu_item 1 && xdotool key Return
xdotool mousemove $((left + 282)) $((top + 62)) click 1 # red, row 2 of the standard palette
menu_item 2
shot "$ROOT/docs/replace-color-in-code-menu.png" "$host_title" "VB 6 Huevista"
xdotool key Return
xdotool mousemove 5 5
shot "$ROOT/docs/color-replaced-in-code.png" "$host_title" "VB 6 Huevista"
rm -f "$module"

# Project colors: a module and a form with known colours, the window opened from the
# preview's menu (its sixth item), the first colour's row opened with a double-click.
cleanup
module="$PWD/readme-project.bas" form="$PWD/readme-project.frm"
printf '%s\r\n' 'Attribute VB_Name = "Painting"' 'Sub Paint()' \
  '    lblTitle.ForeColor = &HFF&: lblNote.ForeColor = RGB(255, 0, 0)' \
  '    picSky.BackColor = RGB(135, 206, 235) '"'"' the sky, not &H00FF00&' \
  '    cmdGo.BackColor = vbButtonFace: Shape1.FillColor = QBColor(12)' 'End Sub' >"$module"
printf '%s\r\n' 'VERSION 5.00' 'Begin VB.Form frmReport' '   Caption         =   "Report"' \
  '   ClientHeight    =   1800' '   ClientWidth     =   3600' \
  '   Begin VB.Label lblWarning' '      BackColor       =   &H00FFFFFF&' \
  '      ForeColor       =   &H000000FF&' '      Caption         =   "Warning"' \
  '      Height          =   600' '      Left            =   240' '      Top             =   240' \
  '      Width           =   1200' '   End' \
  '   Begin VB.Label lblHint' '      BackColor       =   &H00C0C0C0&' \
  '      ForeColor       =   &H00808080&' '      Caption         =   "Hint"' \
  '      Height          =   600' '      Left            =   1800' '      Top             =   240' \
  '      Width           =   1200' '   End' 'End' 'Attribute VB_Name = "frmReport"' >"$form"
open_main_window "$(winepath -w "$module")" "$(winepath -w "$form")"
menu_item 6 && xdotool key Return
read -r pl pt _ _ < <(probe window "Project colors" 15000)
xdotool mousemove $((pl + 120)) $((pt + 56)) click --repeat 2 --delay 80 1
xdotool mousemove 5 5
shot "$ROOT/docs/project-colors.png" "Project colors"
rm -f "$module" "$form"

# The recent colours: a few stored, the preview's menu open on its "Recent colors" submenu
# (up wraps to it, right opens it), cropped to the main window and the menus below it.
wine reg add 'HKCU\Software\VB and VBA Program Settings\Pigmora\Settings' /v RecentColors \
  /d '255 52479 16711680 8421376 3381555 0 16777215' /f >/dev/null 2>&1
xdotool mousemove $((left + 26)) $((top + 69)) click 3
sleep 1
xdotool key Up && sleep 0.3 && xdotool key Right
shot "$BUILD_DIR/recent-colors.png"
read -r _ _ right _ < <(probe window "VB 6 Huevista" 5000)
convert "$BUILD_DIR/recent-colors.png" -crop $((right - left + 8))x240+$((left - 8))+$((top)) \
  +repage "$ROOT/docs/recent-colors-menu.png"
xdotool key Escape Escape

# Colours on a form: the end-to-end run leaves its pictures (the preview's menu open on
# "Apply to selected controls" over two selected controls, then both red), cut to the host's
# designer and the add-in's window. It starts its own host, managed as a user's would be.
cleanup
host_pid=
wine reg delete 'HKCU\Software\Wine\AppDefaults\idehost.exe' /f >/dev/null 2>&1 || true
SHOTS_DIR="$BUILD_DIR" bash "$ROOT/tests/e2e/form_colours.sh" >/dev/null
for p in form-colours-menu form-colours-applied; do
  convert "$BUILD_DIR/$p.png" -crop 1024x200+0+18 +repage "$ROOT/docs/$p.png"
done

# The main window at 144 DPI beside the one at 96: a prefix of its own, whose DPI is set
# before the host starts.
cleanup
host_pid=
wineserver -k >/dev/null 2>&1 || true
export WINEPREFIX="$BUILD_DIR/wineprefix-144dpi"
wine_prefix_start
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
open_main_window
shot "$BUILD_DIR/main-window-144.png" "VB 6 Huevista"
convert "$ROOT/docs/main-window.png" "$BUILD_DIR/main-window-144.png" -background white \
  -gravity north +smush 16 "$ROOT/docs/main-window-96-144.png"
echo "pictures in $ROOT/docs: look at each before committing"
