#!/usr/bin/env bash
# Times the full-screen grab under Wine on private Xvfb screens of 1024x768 and 1920x1080.
# RUNS sets the number of timed rounds per screen (default 40).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
bash scripts/setup.sh
mkdir -p build
if ! { cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
         -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build build/win32 -j2 --target bench_capture; } >build/bench_capture.log 2>&1; then
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
  wine "$ROOT/build/win32/bench_capture.exe" "${RUNS:-40}"
  # The next screen needs a new wineserver: the desktop keeps the size it started with.
  wine_env_stop
  XVFB_PID= WINESERVER_STARTED=
done
