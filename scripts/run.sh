#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Huevista for Win32 and opens its main window under
# Wine. Without a display it uses a private Xvfb and saves a screenshot of what it opened.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
export BUILD_DIR="$ROOT/build"

bash scripts/setup.sh
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/win32 -j"$(nproc)" --target Pigmora huevista-launch >/dev/null

source scripts/wine-env.sh
trap wine_env_stop EXIT
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  xvfb_start
fi
wine_prefix_start

cd build/win32
if [ "$headless" = 1 ]; then
  wine huevista-launch.exe >/dev/null 2>&1 &
  sleep "${SCREENSHOT_DELAY:-4}"
  shot="$BUILD_DIR/screenshot.png"
  import -window root "$shot"
  echo "No display: the window was opened on a private Xvfb screen; screenshot: $shot"
else
  wine huevista-launch.exe
fi
