# Sourced by test.sh and run.sh: a throwaway Wine prefix under the build folder and,
# when asked, a private Xvfb display. Both are stopped by wine_env_stop.

: "${BUILD_DIR:=$PWD/build}"
# The 32-bit prefix by default; wine_use_prefix switches to another (the 64-bit one).
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
  # It fails when a server already holds this prefix (another run on the same build folder):
  # said plainly, since ending a server that is not ours would break that run.
  if ! wineserver -p >/dev/null 2>&1; then
    echo "a Wine server already holds the prefix $WINEPREFIX (another test run on this build" \
      "folder?): wait for it, or end it with WINEPREFIX=$WINEPREFIX wineserver -k" >&2
    return 1
  fi
  WINESERVER_STARTED=1
  wine wineboot >/dev/null 2>&1 </dev/null
}

# Ends the current prefix's wineserver and makes `dir` (of `arch`, win32 or win64) current.
# A win64 prefix runs 64-bit and 32-bit programs alike.
wine_use_prefix() {
  if [ -n "$WINESERVER_STARTED" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  WINESERVER_STARTED=
  export WINEPREFIX="$1" WINEARCH="$2"
}

wine_env_stop() {
  if [ -n "$WINESERVER_STARTED" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$XEPHYR_PID" ]; then kill "$XEPHYR_PID" 2>/dev/null || true; wait "$XEPHYR_PID" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}

# Runs a GoogleTest program under Wine with its arguments; fails, as ctest --no-tests=error
# does, when its filter finds no test to run.
wine_gtest() {
  local out status=0
  out=$(mktemp)
  wine "$@" 2>&1 | tee "$out" || status=$?
  if ! grep -qE '^\[==========\] [1-9][0-9]* tests? from .* ran' "$out"; then
    echo "no test ran: $*" >&2
    status=1
  fi
  rm -f "$out"
  return $status
}
