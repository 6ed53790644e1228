# Sourced by the end-to-end scripts: the add-in registered for the current user, the IDE host
# started in the background, and everything put back when the script ends, pass or fail.
# Runs in the build folder, with DISPLAY and WINEPREFIX set.
: "${DISPLAY:?}" "${WINEPREFIX:?}"
host_pid=

fail() { echo "FAIL: $*" >&2; exit 1; }
# The pointer to x y, waiting until it is there. xdotool's --sync waits for a move, which
# never comes when the pointer is there already (a script before this one clicked the same
# place): it would give up only after some 15 seconds.
move() {
  local at
  at=$(xdotool getmouselocation --shell | sed -n 's/^[XY]=//p' | tr '\n' ' ')
  [ "$at" = "$1 $2 " ] || xdotool mousemove --sync "$1" "$2"
}
# A real click at x y with the given button (1 when not given), the pointer there first.
click() { move "$1" "$2" && xdotool click "${3:-1}"; }
# Waits until exactly n popup menus are on screen and the host waits for input there.
menus() { wine uiprobe.exe menus "$1" 10000 >/dev/null || fail "not $1 menu(s) on screen"; }
# Runs the check until it holds, for up to ten seconds.
eventually() { for _ in $(seq 1 50); do "$@" && return 0; sleep 0.2; done; "$@"; }
# Waits until every window has painted and the host waits for input.
painted() { wine uiprobe.exe painted >/dev/null || fail "the screen did not settle"; }

host_session_end() {
  if [ -n "$host_pid" ] && kill -0 "$host_pid" 2>/dev/null; then
    wine uiprobe.exe close >/dev/null 2>&1 || true
    for _ in $(seq 1 50); do kill -0 "$host_pid" 2>/dev/null || break; sleep 0.2; done
    kill "$host_pid" 2>/dev/null || true
  fi
  wine regsvr32 /s /u /n /i:user Pigmora.dll >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\VB and VBA Program Settings\Pigmora' /f >/dev/null 2>&1 || true
}

# Registers the add-in and starts the host with the given arguments, after IDEHOST_ARGS
# ("/vba" plays the VBA editor).
host_session_start() {
  wine reg delete 'HKCU\Software\VB and VBA Program Settings\Pigmora' /f >/dev/null 2>&1 || true
  # A fresh IDE: without the buttons an earlier session's host kept (one that had to be
  # killed keeps the add-in's, dead, until the add-in connects and deletes it).
  wine reg delete 'HKCU\Software\IdeHost\CommandBars' /f >/dev/null 2>&1 || true
  wine regsvr32 /s /n /i:user Pigmora.dll || fail "regsvr32 /n /i:user failed"
  # shellcheck disable=SC2086
  wine idehost.exe ${IDEHOST_ARGS:-} "$@" >/dev/null 2>&1 &
  host_pid=$!
}

# Presses the add-in's toolbar button until its window is there (a press only ever shows it),
# at most `presses` times (3 when not given): on a loaded machine a press that reaches the
# host while it is still starting can go unseen. Every extra press is logged, so that a run
# shows how often it happened; addin_in_host.sh presses once only, so a press the add-in
# loses fails there.
open_addin_window() {
  local x y n presses=${1:-3} at= before=
  # In VB6 the button is added with its caption and takes its face afterwards (through the
  # clipboard), which moves it: wait until two looks in a row find it in the same place.
  for n in $(seq 1 50); do
    at=$(wine uiprobe.exe button "VB 6 Huevista" 30000 | tr -d '\r') ||
      fail "the add-in's button did not appear on the host's toolbar"
    [ "$at" = "$before" ] && break
    before=$at
  done
  read -r x y <<<"$at"
  for n in $(seq 1 "$presses"); do
    [ "$n" -gt 1 ] && echo "NOTE: press $n of the add-in's button: the window did not open within 10 s of press $((n - 1))" >&2
    click "$x" "$y"
    wine uiprobe.exe window "VB 6 Huevista" 10000 >/dev/null && return 0
  done
  fail "the add-in's button did not open its window after $presses press(es)"
}
