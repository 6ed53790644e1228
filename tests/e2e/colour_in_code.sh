#!/usr/bin/env bash
# A colour in the user's code, read and written back from outside the process: the host
# started on a module whose line holds RGB(10, 20, 30), the caret put in the call with a real
# click, "Color from code" from the preview's right-click menu (the preview then shows that
# colour on screen), a palette pick, "Replace color in code", and the module saved by the host
# and read from disk: the call holds the new colour, the rest of the line is as it was.
# Runs in the build folder, with DISPLAY and WINEPREFIX set; with SHOTS_DIR set it also
# leaves there the screenshots of the open menu and of the line written back.
set -euo pipefail
source "$(dirname "$0")/host_session.sh"
module="$PWD/e2e-colour-in-code.bas"
shot="$PWD/e2e-colour-in-code.png"
trap 'host_session_end; rm -f "$module" "$shot"' EXIT

line1='Sub Paint()'
line2='    Me.BackColor = RGB(10, 20, 30): Me.ForeColor = vbWhite '"'"' sky'
saved_line() {
  tr -d '\r' < "$module" | grep -qxF "    Me.BackColor = RGB(255, 0, 0): Me.ForeColor = vbWhite ' sky"
}
keep_shot() { if [ -n "${SHOTS_DIR:-}" ]; then painted; import -window root "$SHOTS_DIR/$1"; fi; }
# The preview's centre on screen as a screenshot shows it, as RRGGBB.
preview_is() {
  import -window root "$shot"
  [ "$(convert "$shot" -crop "1x1+$px+$py" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1)" = "#$1" ]
}
# The preview's code menu at the preview, an item picked with the keyboard.
code_menu() {
  click "$px" "$py" 3
  menus 1
  for _ in $(seq 1 "$1"); do xdotool key Down; done
  keep_shot "code-menu-$1.png"
  xdotool key Return
  menus 0
}

printf '%s\r\n%s\r\nEnd Sub\r\n' "$line1" "$line2" > "$module"
host_session_start "$(winepath -w "$module")"
open_addin_window
read -r left top _ _ < <(wine uiprobe.exe window "VB 6 Huevista" 15000) || fail "no main window"
painted
px=$((left + 10 + 16)) py=$((top + 58 + 11)) # the preview (160, 880 twips, 500 x 330)

# The caret into "RGB(10, 20, 30)", one of the line's two colours: a click on its "2".
offset=$(( ${#line1} + 2 + $(awk -v s="$line2" 'BEGIN { print index(s, "20") - 1 }') ))
read -r cx cy < <(wine uiprobe.exe char "$offset" 5000 | tr -d '\r') || fail "no code pane"
click "$cx" "$cy"
code_menu 1
eventually preview_is 0A141E || fail "the preview does not show RGB(10, 20, 30)"

# The red cell of the standard palette (row 2, column 1), then back into the code.
click $((left + 264 + 18)) $((top + 32 + 30))
code_menu 2
keep_shot replaced-in-code.png
read -r sx sy < <(wine uiprobe.exe button "Save Module" 5000 | tr -d '\r') || fail "no Save button"
click "$sx" "$sy"
eventually saved_line ||
  fail "the saved module does not hold the line: $(tr -d '\r' < "$module" | tr '\n' '|')"
echo "2 passed, 0 failed"
