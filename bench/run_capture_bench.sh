#!/usr/bin/env bash
# Times the full-screen grab, and one pick while the pointer moves over the capture window
# (the loupe included), under Wine on private Xvfb screens of 1024x768 and 1920x1080, and the
# pick once more at 144 DPI.
# RUNS sets the number of timed grab rounds per screen (default 40).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
bash scripts/setup.sh
mkdir -p build
if ! { cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
         -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build build/win32 -j2 --target bench_capture bench_capture_pick; } >build/bench_capture.log 2>&1; then
  cat build/bench_capture.log >&2
  exit 1
fi

# A prefix of its own, so a test run in the same tree is not disturbed.
export BUILD_DIR="$ROOT/build/bench"
source scripts/wine-env.sh
trap wine_env_stop EXIT
for geometry in 1024x768x24 1920x1080x24; do
  SCREEN_GEOMETRY=$geometry xvfb_start
  wine_prefix_start
  # Without a window manager Wine would wait 2 s for one each time the capture window goes.
  wine reg add 'HKCU\Software\Wine\AppDefaults\bench_capture_pick.exe\X11 Driver' \
    /v Managed /d N /f >/dev/null 2>&1
  wine "$ROOT/build/win32/bench_capture.exe" "${RUNS:-40}"
  wine "$ROOT/build/win32/bench_capture_pick.exe"
  # The next screen needs a new wineserver: the desktop keeps the size it started with.
  wine_env_stop
  XVFB_PID= WINESERVER_STARTED=
done

# 144 DPI: the loupe is drawn half as large again. A prefix of its own keeps the DPI setting.
export BUILD_DIR="$ROOT/build/bench144"
export WINEPREFIX="$BUILD_DIR/wineprefix"
SCREEN_GEOMETRY=1024x768x24 xvfb_start
wine_prefix_start
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\AppDefaults\bench_capture_pick.exe\X11 Driver' \
  /v Managed /d N /f >/dev/null 2>&1
wine "$ROOT/build/win32/bench_capture_pick.exe"
