# Sourced by test.sh and run.sh: a throwaway Wine prefix under the build folder and,
# when asked, a private Xvfb display. Both are stopped by wine_env_stop.

: "${BUILD_DIR:=$PWD/build}"
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko installers popping up in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

XVFB_PID=
XEPHYR_PID=
WINESERVER_STARTED=

# Starts an X server (its command and options) on a display number that the server itself
# finds free (-displayfd), so that runs started side by side never share a screen; sets
# X_PID and DISPLAY.
x_server_start() {
  local fifo n=
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  "$@" -displayfd 3 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  X_PID=$!
  read -r -t 20 n <"$fifo" || true
  rm -f "$fifo"
  if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
    export DISPLAY=":$n"
    return 0
  fi
  kill "$X_PID" 2>/dev/null || true
  echo "could not start $1" >&2
  return 1
}

# Xvfb of SCREEN_GEOMETRY, which the caller may set.
xvfb_start() {
  x_server_start Xvfb -screen 0 "${SCREEN_GEOMETRY:-1024x768x24}" || return 1
  XVFB_PID=$X_PID
}

# Two monitors, 0,0-1024,768 and 1024,0-1824,600: Wine sees them through Xinerama, which Xvfb
# alone does not offer, so a nested Xephyr with two screens runs inside an Xvfb.
two_monitors_start() {
  SCREEN_GEOMETRY=2048x1024x24 xvfb_start || return 1
  x_server_start Xephyr -screen 1024x768 -screen 800x600 +xinerama -extension RANDR || return 1
  XEPHYR_PID=$X_PID
}

# A fresh prefix is made once and serially: two first runs racing on it break it.
wine_prefix_start() {
  mkdir -p "$BUILD_DIR"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # One wineserver for the whole run instead of one per test program. Its helper processes
  # (services.exe, ...) are started here, detached from our output: started by the first
  # test they would inherit ctest's pipes, and ctest would wait on them forever.
  wineserver -p >/dev/null 2>&1
  WINESERVER_STARTED=1
  wine wineboot >/dev/null 2>&1 </dev/null
}

wine_env_stop() {
  if [ -n "$WINESERVER_STARTED" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$XEPHYR_PID" ]; then kill "$XEPHYR_PID" 2>/dev/null || true; wait "$XEPHYR_PID" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}
