#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Huevista natively and for Win32, and runs every test:
# the core natively under the sanitizers, everything under Wine on a private Xvfb display.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
export BUILD_DIR="$ROOT/build"

bash scripts/setup.sh
JOBS=$(nproc)

# Quiet when all is well; the whole build log when something fails. TARGETS, when set,
# names what to build instead of everything.
build() {
  local dir=$1; shift
  if ! { cmake -S . -B "$dir" "$@" && cmake --build "$dir" -j"$JOBS" ${TARGETS:+--target $TARGETS}; } \
    >"$BUILD_DIR/$(basename "$dir").log" 2>&1; then
    cat "$BUILD_DIR/$(basename "$dir").log" >&2
    echo "build in $dir failed" >&2
    exit 1
  fi
}
mkdir -p "$BUILD_DIR"
build build/native -DCMAKE_BUILD_TYPE=Debug
build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The 64-bit build: the DLL, the host and the programs of the tests that run for x64 below.
# It is the shipped configuration (MinSizeRel), so its DLL is also the 64-bit release whose
# size and installer are tested, without a fifth build.
TARGETS="Pigmora idehost uiprobe connect_tests window_tests clipboard_holder url_recorder acc_probe lean_threads_test" \
  build build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-mingw.cmake -DCMAKE_BUILD_TYPE=MinSizeRel
# The shipped DLL alone, as scripts/package.sh builds it: its size and installer are tested.
TARGETS=Pigmora build build/release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
  -DCMAKE_BUILD_TYPE=MinSizeRel

source scripts/wine-env.sh
trap wine_env_stop EXIT
xvfb_start
wine_prefix_start
# The add-in's tests open captioned windows (the IDE host, message boxes) and full-screen
# ones (screen capture): Wine is told not to wait for a window manager, which the private
# display does not have, each time one goes.
unmanaged() {
  for exe in connect_tests.exe window_tests.exe; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" /v Managed /d N /f \
      >/dev/null 2>&1
  done
}
unmanaged

status=0
(cd build/native && ctest --output-on-failure --no-tests=error) || status=1
(cd build/win32 && ctest --output-on-failure --no-tests=error --timeout 300) || status=1

# ---- Other screens -------------------------------------------------------------------------
# Everything above runs at 96 DPI on one 1024 x 768 monitor. The tests of the window's pictures,
# the palettes' picks, the capture and its loupe and the windows' places run again at 120 and
# 144 DPI and on two monitors (at 96 and at 144 DPI), each in a prefix and on a display of its
# own.
SCREEN_TESTS='DpiPicturesTest.*:CaptureWindowTest.*:LoupeTest.*:CaptureAverageTest.*:SystemCaptureScreen.*:MonitorPlacementTest.*:VirtualScreenTest.*:RecentColoursTest.TheSubmenuPaints*'
for screen in "120 1" "144 1" "96 2" "144 2"; do
  read -r dpi monitors <<<"$screen"
  log="build/screen-${dpi}dpi-${monitors}mon.log"
  echo "== window tests at $dpi DPI on $monitors monitor(s)"
  tests=$SCREEN_TESTS
  # The keyboard, its focus cues (two pixels wide there) and what a screen reader reads, once
  # more at 144 DPI.
  [ "$screen" = "144 1" ] && tests="$tests:KeyboardTest.*:AccessibilityTest.*"
  # At 125 % a quick palette's cells are a pixel and a quarter: the arrow keys' picks there.
  [ "$screen" = "120 1" ] && tests="$tests:KeyboardTest.ArrowsHomeAndEnd*"
  timeout 600 bash tests/win/run_on_screen.sh build/win32/window_tests.exe \
    "build/screen-${dpi}dpi-${monitors}mon" "$dpi" "$monitors" "$tests" >"$log" 2>&1 || {
    cat "$log"
    status=1
  }
  grep -E '^\[  (PASSED|SKIPPED) ' "$log" | head -n 2 || true
done

# x64, in a 64-bit prefix of its own: what depends on the bitness (COM and the object
# model, registration side by side with the 32-bit DLL, window data, the clipboard, the
# capture) and the end-to-end runs in the VBA mode; see the README.
wine_use_prefix "$BUILD_DIR/wineprefix64" win64
wine_prefix_start
unmanaged
export PIGMORA32="$(winepath -w "$ROOT/build/win32/Pigmora.dll")"
(cd build/win64 && ctest --output-on-failure --no-tests=error --timeout 300 -L x64) || status=1
exit $status
