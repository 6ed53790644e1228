#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Huevista natively and for Win32, and runs every test:
# the core natively under the sanitizers, everything under Wine on a private Xvfb display.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
export BUILD_DIR="$ROOT/build"

bash scripts/setup.sh
JOBS=$(nproc)

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$JOBS" 2>&1 | grep -vE '^\[|^(gmake|make)' || true
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/win32 -j"$JOBS" 2>&1 | grep -vE '^\[|^(gmake|make)' || true
# The filters above hide progress lines only; a failed build must still stop the run.
cmake --build build/native >/dev/null
cmake --build build/win32 >/dev/null

source scripts/wine-env.sh
trap wine_env_stop EXIT
xvfb_start
wine_prefix_start

status=0
(cd build/native && ctest --output-on-failure) || status=1
(cd build/win32 && ctest --output-on-failure --timeout 600) || status=1
exit $status
