#!/usr/bin/env bash
# A colour reaches the user's code, from outside the process: the host started on a module
# file with the add-in registered, the main window opened from its toolbar button, a cell of
# the standard palette clicked with real X input, Insert clicked, the module saved by the
# host and read from disk; then Copy clicked and the clipboard read back.
# Runs in the build folder, with DISPLAY and WINEPREFIX set.
set -euo pipefail
source "$(dirname "$0")/host_session.sh"
module="$PWD/e2e-insert.bas"
trap 'host_session_end; rm -f "$module"' EXIT

saved_line() { tr -d '\r' < "$module" | grep -qx 'BackColor = &HFF&'; }
copied() { [ "$(wine uiprobe.exe clipboard | tr -d '\r')" = "&H00FF&" ]; }

printf 'BackColor = \r\nEnd Sub\r\n' > "$module"
host_session_start "$(winepath -w "$module")"
open_addin_window
read -r left top _ _ < <(wine uiprobe.exe window "VB 6 Huevista" 15000) || fail "no main window"
painted

# The red cell of the standard palette (row 2, column 1), then Insert (2160, 880 twips).
click $((left + 264 + 18)) $((top + 32 + 30))
click $((left + 144 + 14)) $((top + 58 + 11))
read -r sx sy < <(wine uiprobe.exe button "Save Module" 5000 | tr -d '\r') || fail "no Save button"
click "$sx" "$sy"
eventually saved_line ||
  fail "the saved module does not hold the line: $(tr -d '\r' < "$module" | tr '\n' '|')"

# Copy (2600, 880 twips) puts the code on the clipboard.
click $((left + 173 + 14)) $((top + 58 + 11))
eventually copied || fail "the clipboard holds '$(wine uiprobe.exe clipboard | tr -d '\r')'"
echo "2 passed, 0 failed"
