#!/usr/bin/env bash
# Colours on the controls of a form, from outside the process: the host started on a form,
# its label and its button selected in the designer with a click and a Shift+click, red from
# the standard palette, "Apply to selected controls" > "BackColor" from the preview's
# right-click menu; the designer then shows both red on screen (the image beside them as it
# was), and the form saved by the host holds the new BackColor in both controls' blocks.
# Runs in the build folder, with DISPLAY and WINEPREFIX set; with SHOTS_DIR set it also
# leaves there the screenshots before (the menu open) and after.
set -euo pipefail
source "$(dirname "$0")/host_session.sh"
form="$PWD/e2e-form-colours.frm"
shot="$PWD/e2e-form-colours.png"
trap 'host_session_end; rm -f "$form" "$shot"' EXIT

keep_shot() { if [ -n "${SHOTS_DIR:-}" ]; then painted; import -window root "$SHOTS_DIR/$1"; fi; }
# The screen's pixel at x y as RRGGBB, from a fresh screenshot.
pixel_is() {
  import -window root "$shot"
  [ "$(convert "$shot" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1)" = "#$3" ]
}
# The saved block of a control holds the line.
block_has() {
  tr -d '\r' <"$form" | awk -v b="   Begin $1" '$0 == b {on = 1; next} /^   End$/ {on = 0} on' |
    grep -qxF "$2"
}

# Twips at 96 DPI: 15 a pixel. Label1 at (240, 240), Command1 at (1800, 240), Image1 at
# (3360, 240), each 1200 x 600 (80 x 40 pixels).
printf '%s\r\n' 'VERSION 5.00' 'Begin VB.Form Form1' \
  '   Caption         =   "Form1"' '   ClientHeight    =   2400' '   ClientWidth     =   4800' \
  '   Begin VB.Label Label1' '      BackColor       =   &H0000FFFF&' '      Caption         =   "Label1"' \
  '      Height          =   600' '      Left            =   240' '      Top             =   240' \
  '      Width           =   1200' '   End' \
  '   Begin VB.CommandButton Command1' '      Caption         =   "Command1"' \
  '      Height          =   600' '      Left            =   1800' '      Top             =   240' \
  '      Width           =   1200' '   End' \
  '   Begin VB.Image Image1' '      Height          =   600' '      Left            =   3360' \
  '      Top             =   240' '      Width           =   1200' '   End' \
  'End' 'Attribute VB_Name = "Form1"' >"$form"
host_session_start "$(winepath -w "$form")"
open_addin_window
read -r left top _ _ < <(wine uiprobe.exe window "VB 6 Huevista" 15000) || fail "no main window"
read -r fx fy < <(wine uiprobe.exe client DesignerWindow 15000 | tr -d '\r') || fail "no designer"
label_x=$((fx + 16 + 70)) label_y=$((fy + 16 + 35)) # near the lower right, off the caption
button_x=$((fx + 120 + 70)) button_y=$((fy + 16 + 35))
image_x=$((fx + 224 + 40)) image_y=$((fy + 16 + 20))
import -window root "$shot"
form_px=$(convert "$shot" -crop "1x1+$image_x+$image_y" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1)

# The two controls selected: a click, then a Shift+click.
click "$label_x" "$label_y"
move "$button_x" "$button_y"
xdotool keydown shift click 1 keyup shift

# The red cell of the standard palette (row 2, column 1), then the preview's menu: Color from
# code, Replace color in code, Color from selected control, Apply to selected controls, and
# its first item, BackColor.
click $((left + 264 + 18)) $((top + 32 + 30))
px=$((left + 10 + 16)) py=$((top + 58 + 11))
click "$px" "$py" 3
menus 1
xdotool key Down Down Down Down Right
menus 2
keep_shot form-colours-menu.png
xdotool key Return
menus 0
move 5 5
eventually pixel_is "$label_x" "$label_y" FF0000 || fail "the label is not red on screen"
pixel_is "$button_x" "$button_y" FF0000 || fail "the button is not red on screen"
pixel_is "$image_x" "$image_y" "${form_px#\#}" || fail "the image changed"
keep_shot form-colours-applied.png

read -r sx sy < <(wine uiprobe.exe button "Save Module" 5000 | tr -d '\r') || fail "no Save button"
click "$sx" "$sy"
eventually block_has "VB.Label Label1" '      BackColor       =   &H000000FF&' ||
  fail "the saved form: $(tr -d '\r' <"$form" | tr '\n' '|')"
block_has "VB.CommandButton Command1" '      BackColor       =   &H000000FF&' ||
  fail "the button's block: $(tr -d '\r' <"$form" | tr '\n' '|')"
block_has "VB.Image Image1" '      Height          =   600' || fail "the image's block"
! block_has "VB.Image Image1" '      BackColor       =   &H000000FF&' || fail "the image was set"
echo "3 passed, 0 failed"
